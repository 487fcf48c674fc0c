#include "softwareversionreader.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTextStream>

Q_LOGGING_CATEGORY(lcVersion, "vanto.swversion")

QStringList SoftwareVersionReader::read(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        qCDebug(lcVersion) << "could not find version file.";
        return {};
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCDebug(lcVersion) << "could not open version file.";
        return {};
    }
    return parse(QString::fromUtf8(file.readAll()));
}

QStringList SoftwareVersionReader::parse(const QString& text)
{
    QStringList versions;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        if (!raw.contains(QLatin1String("linux")))
            continue;
        const QStringList parts = raw.simplified().split(QLatin1Char('='));
        if (parts.size() < 2) {
            qCDebug(lcVersion) << "error while reading sw version.";
            continue;
        }
        // "linux = 4.14" must give "4", not " 4", so the numbers stay numbers.
        const QStringList pieces = parts.at(1).trimmed().split(QLatin1Char('.'));
        versions.append(pieces.at(0).trimmed());
        // Without a minor number the list still grows by a pair, so the
        // entries of later lines keep their places; 0 stands for the minor.
        versions.append(pieces.size() > 1 ? pieces.at(1).trimmed() : QStringLiteral("0"));
    }
    return versions;
}
