// Touch controller: the settings file of a first start, re-applying stored
// values, and the driver attribute files (below VANTO_ROOT) that may refuse
// a value.
#include <vantoui/datastorage.h>
#include <vantoui/touchcontroller.h>
#include <vantoui/touchsettings.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <unistd.h>

using namespace VantoUi;

namespace {

const char GainFile[] = "/sys/class/input/event0/device/device/gain";
const char ThresholdFile[] = "/sys/class/input/event0/device/device/threshold";
const char OffsetFile[] = "/sys/class/input/event0/device/device/offset";
const char UpcountFile[] =
    "/sys/devices/soc0/soc/2100000.aips-bus/21a8000.i2c/i2c-2/2-0038/touch_upcount";
const char DowncountFile[] =
    "/sys/devices/soc0/soc/2100000.aips-bus/21a8000.i2c/i2c-2/2-0038/touch_downcount";

TouchController* touch()
{
    return TouchController::getInstance();
}

QString root()
{
    return qEnvironmentVariable("VANTO_ROOT");
}

QString rooted(const char* path)
{
    return root() + QLatin1String(path);
}

QString settingsFile()
{
    return root() + QStringLiteral("/etc/xdg/vanto/touch_settings.ini");
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

struct SetterRow
{
    const char* name;
    const char* key;
    const char* driverFile;
    void (TouchController::*set)(const uchar&);
    uchar (TouchController::*get)() const;
    void (TouchController::*changed)();
};

const SetterRow Setters[] = {
    {"gain", "gain", GainFile, &TouchController::setTouchGain, &TouchController::getTouchGain,
     &TouchController::touchGainChanged},
    {"threshold", "threshold", ThresholdFile, &TouchController::setTouchThreshold,
     &TouchController::getTouchThreshold, &TouchController::touchThresholdChanged},
    {"offset", "offset", OffsetFile, &TouchController::setTouchOffset,
     &TouchController::getTouchOffset, &TouchController::touchOffsetChanged},
    {"touch up count", "touch_upcount", UpcountFile, &TouchController::setTouchFilterTouchUpcount,
     &TouchController::getTouchFilterTouchUpcount,
     &TouchController::touchFilterTouchUpcountChanged},
    {"touch down count", "touch_downcount", DowncountFile,
     &TouchController::setTouchFilterTouchDowncount, &TouchController::getTouchFilterTouchDowncount,
     &TouchController::touchFilterTouchDowncountChanged},
};

} // namespace

class TouchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void initializeFailsWhenFileCannotBeCreated();
    void firstStartCreatesFileAndWritesDriver();
    void laterStartReappliesStoredValues_data();
    void laterStartReappliesStoredValues();
    void settersAlwaysWriteAndEmit_data();
    void settersAlwaysWriteAndEmit();
    void unwritableDriverFile_data();
    void unwritableDriverFile();
    void refusedValueIsReported();
};

void TouchTest::initTestCase()
{
    QVERIFY2(!root().isEmpty(), "run through tests/run-isolated");
    QCOMPARE(touch()->touchSettingsfilePath(), settingsFile());
    QVERIFY(!QFile::exists(settingsFile()));
}

void TouchTest::initializeFailsWhenFileCannotBeCreated()
{
    // A plain file where the vanto folder belongs: neither folder nor
    // settings file can be made.
    const QString blocker = root() + QStringLiteral("/etc/xdg/vanto");
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/etc/xdg")));
    QVERIFY(writeFile(blocker, "not a folder"));
    QVERIFY(QDir().mkpath(QFileInfo(rooted(GainFile)).absolutePath()));

    QSignalSpy gainSpy(touch(), &TouchController::touchGainChanged);
    QTest::ignoreMessage(QtWarningMsg, "Could not create touch_settings.ini file!");
    QCOMPARE(touch()->initialize(), false);
    QCOMPARE(gainSpy.count(), 0);
    QVERIFY(!QFile::exists(rooted(GainFile)));

    QVERIFY(QFile::remove(blocker));
}

void TouchTest::firstStartCreatesFileAndWritesDriver()
{
    QVERIFY(QDir().mkpath(QFileInfo(rooted(GainFile)).absolutePath()));
    QVERIFY(QDir().mkpath(QFileInfo(rooted(UpcountFile)).absolutePath()));
    QVERIFY(!QFile::exists(settingsFile()));

    QSignalSpy gainSpy(touch(), &TouchController::touchGainChanged);
    QSignalSpy thresholdSpy(touch(), &TouchController::touchThresholdChanged);
    QSignalSpy offsetSpy(touch(), &TouchController::touchOffsetChanged);
    QSignalSpy upSpy(touch(), &TouchController::touchFilterTouchUpcountChanged);
    QSignalSpy downSpy(touch(), &TouchController::touchFilterTouchDowncountChanged);

    QCOMPARE(touch()->initialize(), true);

    QVERIFY(QFile::exists(settingsFile()));
    QSettings written(settingsFile(), QSettings::IniFormat);
    QCOMPARE(written.allKeys(), (QStringList{"gain", "offset", "threshold"}));
    QCOMPARE(written.value("gain").toInt(), 1);
    QCOMPARE(written.value("threshold").toInt(), 14);
    QCOMPARE(written.value("offset").toInt(), 0);

    QCOMPARE(readFile(rooted(GainFile)), QByteArray("1\n"));
    QCOMPARE(readFile(rooted(ThresholdFile)), QByteArray("14\n"));
    QCOMPARE(readFile(rooted(OffsetFile)), QByteArray("0\n"));
    QVERIFY(!QFile::exists(rooted(UpcountFile)));
    QVERIFY(!QFile::exists(rooted(DowncountFile)));

    QCOMPARE(int(touch()->getTouchGain()), 1);
    QCOMPARE(int(touch()->getTouchThreshold()), 14);
    QCOMPARE(int(touch()->getTouchOffset()), 0);
    QCOMPARE(gainSpy.count(), 1);
    QCOMPARE(thresholdSpy.count(), 1);
    QCOMPARE(offsetSpy.count(), 1);
    QCOMPARE(upSpy.count(), 0);
    QCOMPARE(downSpy.count(), 0);
}

void TouchTest::laterStartReappliesStoredValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored"); // invalid: key removed
    QTest::addColumn<QString>("driverFile");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("gain") << "gain" << QVariant(7) << rooted(GainFile) << QByteArray("7\n");
    QTest::newRow("threshold above 8 bits is truncated")
        << "threshold" << QVariant(300) << rooted(ThresholdFile) << QByteArray("44\n");
    QTest::newRow("offset not a number")
        << "offset" << QVariant("abc") << rooted(OffsetFile) << QByteArray("0\n");
    QTest::newRow("gain missing") << "gain" << QVariant() << rooted(GainFile) << QByteArray("0\n");
}

void TouchTest::laterStartReappliesStoredValues()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QString, driverFile);
    QFETCH(QByteArray, expected);

    {
        QSettings file(settingsFile(), QSettings::IniFormat);
        if (stored.isValid())
            file.setValue(key, stored);
        else
            file.remove(key);
        file.setValue("touch_upcount", 9);
        file.sync();
    }
    QVERIFY(QFile::remove(driverFile));
    QSignalSpy upSpy(touch(), &TouchController::touchFilterTouchUpcountChanged);

    QCOMPARE(touch()->initialize(), true);

    QCOMPARE(readFile(driverFile), expected);
    // The filter counts reach the driver only through their setters.
    QVERIFY(!QFile::exists(rooted(UpcountFile)));
    QCOMPARE(upSpy.count(), 0);
}

void TouchTest::settersAlwaysWriteAndEmit_data()
{
    QTest::addColumn<int>("row");
    for (size_t i = 0; i < sizeof(Setters) / sizeof(Setters[0]); ++i)
        QTest::newRow(Setters[i].name) << int(i);
}

void TouchTest::settersAlwaysWriteAndEmit()
{
    QFETCH(int, row);
    const SetterRow& setter = Setters[row];
    const QString driver = rooted(setter.driverFile);
    QSignalSpy spy(touch(), setter.changed);

    const uchar values[] = {14, 14, 255, 0};
    int emitted = 0;
    for (uchar value : values) {
        // The driver may have been reset in between: the same value is
        // written again.
        QVERIFY(writeFile(driver, "stale"));
        (touch()->*setter.set)(value);
        QCOMPARE(++emitted, spy.count());
        QCOMPARE(int((touch()->*setter.get)()), int(value));
        QCOMPARE(readFile(driver), QByteArray::number(value) + '\n');
        QCOMPARE(DataStorage::getInstance()->touchSettings()->value(setter.key).toInt(),
                 int(value));
        QSettings written(settingsFile(), QSettings::IniFormat);
        QCOMPARE(written.value(setter.key).toInt(), int(value));
    }
}

void TouchTest::unwritableDriverFile_data()
{
    QTest::addColumn<bool>("asDirectory");
    QTest::newRow("directory in place of the file") << true;
    // File permissions do not stop root, who runs these tests in CI.
    if (geteuid() != 0)
        QTest::newRow("read-only file") << false;
}

void TouchTest::unwritableDriverFile()
{
    QFETCH(bool, asDirectory);
    const QString driver = rooted(ThresholdFile);
    QFile::remove(driver);
    if (asDirectory) {
        QVERIFY(QDir().mkpath(driver));
    } else {
        QVERIFY(writeFile(driver, "3\n"));
        QVERIFY(QFile::setPermissions(driver, QFileDevice::ReadOwner));
    }

    QSignalSpy spy(touch(), &TouchController::touchThresholdChanged);
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable(QStringLiteral("Could not write to file ' ") + driver + "' !"));
    touch()->setTouchThreshold(33);

    QCOMPARE(spy.count(), 1);
    QCOMPARE(int(touch()->getTouchThreshold()), 33);
    QSettings written(settingsFile(), QSettings::IniFormat);
    QCOMPARE(written.value("threshold").toInt(), 33);

    if (asDirectory)
        QVERIFY(QDir(driver).removeRecursively());
    else
        QVERIFY(QFile::setPermissions(driver, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

void TouchTest::refusedValueIsReported()
{
    // A driver refuses a value when the data reaches it; /dev/full refuses
    // every write the same way.
    const QString driver = rooted(OffsetFile);
    QFile::remove(driver);
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), driver));

    QSignalSpy spy(touch(), &TouchController::touchOffsetChanged);
    QTest::ignoreMessage(
        QtWarningMsg, qPrintable(QStringLiteral("Could not write 9 to file: '") + driver + " !"));
    touch()->setTouchOffset(9);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(int(touch()->getTouchOffset()), 9);
    QVERIFY(QFile::remove(driver));
}

QTEST_GUILESS_MAIN(TouchTest)
#include "tst_touch.moc"
