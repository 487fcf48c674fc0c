#include "calculatecrc32thread.h"

#include "crc32.h"
#include "systempath.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcCrc32, "vanto.crc32")

CalculateCRC32Thread::CalculateCRC32Thread(QObject* parent) : QObject(parent)
{
    Crc32::table(); // build the tables now, not in the middle of the scan
}

namespace {

// Checksum of an opened file, read in blocks through the caller's buffer.
uint32_t checksumOf(QFile& file, char* buffer, int blockSize)
{
    uint32_t c = Crc32::Initial;
    for (;;) {
        const qint64 n = file.read(buffer, blockSize);
        if (n <= 0)
            break;
        c = Crc32::update(c, buffer, size_t(n));
    }
    return c ^ 0xFFFFFFFFu;
}

} // namespace

uint32_t CalculateCRC32Thread::fileChecksum(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return 0;
    char buffer[BlockSize];
    return checksumOf(file, buffer, BlockSize);
}

bool CalculateCRC32Thread::isSkipped(const QString& path)
{
    static const QString programPath = systemPath(QStringLiteral("/usr/bin/vanto"));
    static const QString internalUnit =
        systemPath(QStringLiteral("/lib/systemd/system/rimo-internal.service"));
    static const QString externalUnit =
        systemPath(QStringLiteral("/lib/systemd/system/rimo-external.service"));
    static const QString guiUnit = systemPath(QStringLiteral("/lib/systemd/system/vanto.service"));

    const QString suffix = QFileInfo(path).completeSuffix();
    return path == programPath || suffix.contains(QLatin1String("qmlc")) ||
           suffix.contains(QLatin1String("jsc")) || path == internalUnit || path == externalUnit ||
           path == guiUnit || suffix.contains(QLatin1String("conf")) ||
           suffix.contains(QLatin1String("tmp")) || suffix.contains(QLatin1String("temp"));
}

uint32_t CalculateCRC32Thread::directorySum(const QString& dir)
{
    uint32_t sum = 0xFFFFFFFFu;
    QDirIterator it(dir, QDir::Files | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Writable,
                    QDirIterator::Subdirectories);
    char buffer[BlockSize];
    while (it.hasNext()) {
        const QString path = it.next();
        if (isSkipped(path))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            qCDebug(lcCrc32) << "File not found!";
            return sum;
        }
        sum += checksumOf(file, buffer, BlockSize);
    }
    return sum;
}

QStringList CalculateCRC32Thread::scanDirectories()
{
    return {systemPath(QStringLiteral("/usr/lib")), systemPath(QStringLiteral("/usr/bin")),
            systemPath(QStringLiteral("/lib")), systemPath(QStringLiteral("/bin"))};
}

void CalculateCRC32Thread::onCalculateCrc32()
{
#ifdef __linux__
    // Nice only this thread: the scan reads whole system folders and must
    // never take time from the screens.
    setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 19);
#endif
    m_total = 0;
    const QStringList dirs = scanDirectories();
    for (const QString& dir : dirs)
        m_total += directorySum(dir);
    emit finished(m_total);
}

void CalculateCRC32Thread::onScanFinished(uint32_t crcVal)
{
    m_total += crcVal;
}
