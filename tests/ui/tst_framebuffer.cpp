// Framebuffer depth, the framebuffer-platform check and the exported
// globals. Depth changes end the process on failure, so they run in a child:
// this binary started again with "--set-depth <device|-> <depth>".
#include <vantoui/framebuffercontroller.h>
#include <vantoui/globals.h>

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <linux/fb.h>

using VantoUi::FramebufferController;

extern "C" uint8_t vantouiTestNextTelegramId(void);
extern "C" const char* vantouiTestFbDevice(void);

namespace {

QString root()
{
    return qEnvironmentVariable("VANTO_ROOT");
}

struct ChildResult
{
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QByteArray out;
    QByteArray err;
};

ChildResult runSetDepth(const QString& device, int depth, const QProcessEnvironment& extra = {})
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(extra);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--set-depth"), device, QString::number(depth)});
    ChildResult result;
    if (!child.waitForFinished(20000)) {
        child.kill();
        child.waitForFinished();
        return result;
    }
    result.exitCode = child.exitCode();
    result.exitStatus = child.exitStatus();
    result.out = child.readAllStandardOutput();
    result.err = child.readAllStandardError();
    return result;
}

// A screen record with every field set, so a field lost on the way back
// shows up.
fb_var_screeninfo sampleScreen(quint32 bitsPerPixel)
{
    fb_var_screeninfo info;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&info);
    for (size_t i = 0; i < sizeof(info); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    info.xres = 800;
    info.yres = 480;
    info.bits_per_pixel = bitsPerPixel;
    return info;
}

QByteArray bytesOf(const fb_var_screeninfo& info)
{
    return QByteArray(reinterpret_cast<const char*>(&info), sizeof(info));
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

} // namespace

class FramebufferTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void globalsAreExportedPlainly();
    void telegramIdCounterWraps();
    void failureEndsProcess_data();
    void failureEndsProcess();
    void setsDepth_data();
    void setsDepth();
    void isFramebufferPlatform_data();
    void isFramebufferPlatform();

private:
    QByteArray m_savedPlatform;
};

void FramebufferTest::initTestCase()
{
    QVERIFY2(!root().isEmpty(), "run through tests/run-isolated");
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/dev")));
    m_savedPlatform = qgetenv("QT_QPA_PLATFORM");
    // Zero at load; nothing in the library touches it.
    QCOMPARE(int(telegram_id_counter), 0);
}

void FramebufferTest::globalsAreExportedPlainly()
{
    void* library = dlopen(VANTOUI_LIBRARY_FILE, RTLD_NOW | RTLD_NOLOAD);
    QVERIFY2(library, dlerror());
    QCOMPARE(dlsym(library, "telegram_id_counter"), static_cast<void*>(&telegram_id_counter));
    QCOMPARE(dlsym(library, "fb_device"), static_cast<void*>(&fb_device));
    dlclose(library);

    QCOMPARE(QByteArray(fb_device), QByteArray("/dev/fb0"));
    QCOMPARE(vantouiTestFbDevice(), fb_device);
}

void FramebufferTest::telegramIdCounterWraps()
{
    telegram_id_counter = 253;
    QCOMPARE(int(vantouiTestNextTelegramId()), 254);
    QCOMPARE(int(vantouiTestNextTelegramId()), 255);
    QCOMPARE(int(vantouiTestNextTelegramId()), 0);
    QCOMPARE(int(telegram_id_counter), 0);
    ++telegram_id_counter;
    QCOMPARE(int(vantouiTestNextTelegramId()), 2);
}

void FramebufferTest::failureEndsProcess_data()
{
    QTest::addColumn<QString>("device");   // "-": leave fb_device at its default
    QTest::addColumn<QString>("fixture");  // file to create, empty for none
    QTest::addColumn<QString>("putErrno"); // refusal of the write-back
    QTest::addColumn<QByteArray>("expectedOut");
    QTest::addColumn<QByteArray>("expectedErr");

    const QByteArray r = root().toLocal8Bit();
    QTest::newRow("missing device")
        << "/dev/fb7" << QString() << QString() << QByteArray()
        << "Failed to open device " + r + "/dev/fb7: No such file or directory\n";
    QTest::newRow("default device stays below the root")
        << "-" << QString() << QString() << QByteArray()
        << "Failed to open device " + r + "/dev/fb0: No such file or directory\n";
    QTest::newRow("path already below the root")
        << root() + "/dev/fb7" << QString() << QString() << QByteArray()
        << "Failed to open device " + r + "/dev/fb7: No such file or directory\n";
    QTest::newRow("not a framebuffer")
        << "/dev/plainfile" << root() + "/dev/plainfile" << QString() << QByteArray()
        << QByteArray("Failed ioctl FBIOGET_VSCREENINFO: Inappropriate ioctl for device\n");
    QTest::newRow("depth refused")
        << "/dev/fakefb0" << root() + "/dev/fakefb0"
        << "22" << QByteArray("Current frambuffer depth: 32 bit\nSet frambuffer depth to: 16\n")
        << QByteArray("Failed ioctl FBIOPUT_VSCREENINFO: Invalid argument\n");
}

void FramebufferTest::failureEndsProcess()
{
    QFETCH(QString, device);
    QFETCH(QString, fixture);
    QFETCH(QString, putErrno);
    QFETCH(QByteArray, expectedOut);
    QFETCH(QByteArray, expectedErr);

    if (!fixture.isEmpty())
        QVERIFY(writeFile(fixture, bytesOf(sampleScreen(32))));
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAKEFB_LIBRARY));
    extra.insert(QStringLiteral("FAKEFB_PUT_ERRNO"), putErrno);

    const ChildResult result = runSetDepth(device, 16, extra);
    QCOMPARE(result.exitStatus, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.err, expectedErr);
    QCOMPARE(result.out, expectedOut);
    if (!fixture.isEmpty())
        QVERIFY(QFile::remove(fixture));
}

void FramebufferTest::setsDepth_data()
{
    QTest::addColumn<quint32>("current");
    QTest::addColumn<int>("depth");
    QTest::newRow("32 to 16 bit") << 32u << 16;
    QTest::newRow("already 16 bit") << 16u << 16;
    QTest::newRow("16 to 24 bit") << 16u << 24;
}

void FramebufferTest::setsDepth()
{
    QFETCH(quint32, current);
    QFETCH(int, depth);

    const QString device = root() + QStringLiteral("/dev/fakefb0");
    const QString written = root() + QStringLiteral("/fakefb-written");
    QFile::remove(written);
    const fb_var_screeninfo before = sampleScreen(current);
    QVERIFY(writeFile(device, bytesOf(before)));

    QProcessEnvironment extra;
    extra.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAKEFB_LIBRARY));
    extra.insert(QStringLiteral("FAKEFB_PUT_FILE"), written);
    const ChildResult result = runSetDepth(QStringLiteral("/dev/fakefb0"), depth, extra);

    QCOMPARE(result.exitStatus, QProcess::NormalExit);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray("Current frambuffer depth: ") + QByteArray::number(current) +
                             " bit\nSet frambuffer depth to: " + QByteArray::number(depth) + "\n");

    // Only the depth differs in the record written back.
    fb_var_screeninfo expected = before;
    expected.bits_per_pixel = quint32(depth);
    QFile back(written);
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), bytesOf(expected));
}

void FramebufferTest::isFramebufferPlatform_data()
{
    QTest::addColumn<QByteArray>("environment"); // null: unset
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<bool>("expected");

    using Args = QList<QByteArray>;
    const QByteArray builtIn(QT_QPA_DEFAULT_PLATFORM_NAME);
    QTest::newRow("eglfs from environment") << QByteArray("eglfs") << Args{} << true;
    QTest::newRow("linuxfb with options")
        << QByteArray("linuxfb:fb=/dev/fb1:size=800x480") << Args{} << true;
    QTest::newRow("eglfs with options") << QByteArray("eglfs:") << Args{} << true;
    QTest::newRow("offscreen") << QByteArray("offscreen") << Args{} << false;
    QTest::newRow("xcb") << QByteArray("xcb") << Args{} << false;
    QTest::newRow("name only starts alike") << QByteArray("eglfsx") << Args{} << false;
    QTest::newRow("argument overrides environment")
        << QByteArray("eglfs") << Args{"-platform", "offscreen"} << false;
    QTest::newRow("argument selects eglfs")
        << QByteArray("offscreen") << Args{"-platform", "eglfs"} << true;
    QTest::newRow("double dash argument")
        << QByteArray("offscreen") << Args{"--platform", "linuxfb:rotation=90"} << true;
    QTest::newRow("last argument wins")
        << QByteArray() << Args{"-platform", "eglfs", "-platform", "xcb"} << false;
    QTest::newRow("dangling argument keeps environment")
        << QByteArray("eglfs") << Args{"-platform"} << true;
    QTest::newRow("value of another option")
        << QByteArray("offscreen") << Args{"-style", "eglfs"} << false;
    QTest::newRow("first of a fallback list") << QByteArray("linuxfb;xcb") << Args{} << true;
    QTest::newRow("nothing chosen: Qt's built-in default")
        << QByteArray() << Args{} << (builtIn == "eglfs" || builtIn == "linuxfb");
    QTest::newRow("empty variable: built-in default")
        << QByteArray("") << Args{"-qmljsdebugger=port:1"}
        << (builtIn == "eglfs" || builtIn == "linuxfb");
}

void FramebufferTest::isFramebufferPlatform()
{
    QFETCH(QByteArray, environment);
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(bool, expected);

    if (environment.isNull())
        qunsetenv("QT_QPA_PLATFORM");
    else
        qputenv("QT_QPA_PLATFORM", environment);

    QByteArray program("vanto");
    std::vector<char*> argv{program.data()};
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const bool result =
        FramebufferController::isFramebufferPlatform(int(argv.size() - 1), argv.data());
    qputenv("QT_QPA_PLATFORM", m_savedPlatform);
    QCOMPARE(result, expected);
}

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--set-depth") == 0) {
        if (std::strcmp(argv[2], "-") != 0)
            fb_device = argv[2];
        FramebufferController::getInstance()->setFrameBufferDepth(std::atoi(argv[3]));
        return 0;
    }
    QCoreApplication app(argc, argv);
    FramebufferTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_framebuffer.moc"
