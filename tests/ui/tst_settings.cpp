// Settings storage: the forwarding operations with their own logic, the
// process-wide holder and where the files are found below VANTO_ROOT.
#include <vantoui/datastorage.h>
#include <vantoui/settingsbase.h>
#include <vantoui/softwareinfosettings.h>
#include <vantoui/stylesettings.h>
#include <vantoui/touchcontroller.h>
#include <vantoui/touchsettings.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace VantoUi;

namespace {

// QSettings lists child groups sorted, so A_SECTION comes first although it
// is written last but one; B_SECTION is the first group that has "Radius".
const char FixtureIni[] = "top=1\n"
                          "\n"
                          "[C_SECTION]\n"
                          "Radius=9\n"
                          "Empty=\n"
                          "sub\\Nested=5\n"
                          "\n"
                          "[B_SECTION]\n"
                          "Radius=7\n"
                          "\n"
                          "[A_SECTION]\n"
                          "Other=x\n";

QString root()
{
    return qEnvironmentVariable("VANTO_ROOT");
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void contains_data();
    void contains();
    void childValue_data();
    void childValue();
    void getKeysReturnsRelativeKeys_data();
    void getKeysReturnsRelativeKeys();
    void getKeysKeepsCurrentGroup();

    void dataStorageCreatesEachObjectOnce();
    void dataStorageFilesLiveBelowRoot();
    void displaySenderValue();
    void softwareInfoReadsVersionFile();

    void configurationFolder_data();
    void configurationFolder();

private:
    QString fixturePath() const { return m_dir.filePath(QStringLiteral("fixture.ini")); }

    QTemporaryDir m_dir;
    QByteArray m_savedConfigDirs;
    QByteArray m_savedRoot;
};

void SettingsTest::initTestCase()
{
    QVERIFY2(!root().isEmpty(), "tests run with VANTO_ROOT set (tests/run-isolated)");
    QVERIFY(m_dir.isValid());
    QVERIFY(writeFile(fixturePath(), FixtureIni));
    m_savedConfigDirs = qgetenv("XDG_CONFIG_DIRS");
    m_savedRoot = qgetenv("VANTO_ROOT");
}

void SettingsTest::cleanup()
{
    qputenv("XDG_CONFIG_DIRS", m_savedConfigDirs);
    qputenv("VANTO_ROOT", m_savedRoot);
}

void SettingsTest::contains_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("expected");

    QTest::newRow("top-level key") << "top" << true;
    QTest::newRow("key in section") << "B_SECTION/Radius" << true;
    QTest::newRow("present with empty value") << "C_SECTION/Empty" << true;
    QTest::newRow("nested key") << "C_SECTION/sub/Nested" << true;
    QTest::newRow("absent in this section") << "A_SECTION/Radius" << false;
    QTest::newRow("absent everywhere") << "missing" << false;
    QTest::newRow("section name is no key") << "B_SECTION" << false;
}

void SettingsTest::contains()
{
    QFETCH(QString, key);
    QFETCH(bool, expected);
    SettingsBase settings(fixturePath(), QSettings::IniFormat);
    QCOMPARE(settings.contains(key), expected);
}

void SettingsTest::childValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("first group in order that has it") << "Radius" << QVariant() << QVariant("7");
    QTest::newRow("only the last group has it") << "Empty" << QVariant() << QVariant("");
    QTest::newRow("no group has it") << "Nothing" << QVariant() << QVariant();
    // A valid default is a hit in the very first group.
    QTest::newRow("valid default wins in first group") << "Radius" << QVariant(42) << QVariant(42);
    QTest::newRow("top-level key is not a child value") << "top" << QVariant() << QVariant();
}

void SettingsTest::childValue()
{
    QFETCH(QString, key);
    QFETCH(QVariant, defaultValue);
    QFETCH(QVariant, expected);
    SettingsBase settings(fixturePath(), QSettings::IniFormat);
    const QVariant result = settings.childValue(key, defaultValue);
    QCOMPARE(result.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(result.toString(), expected.toString());
}

void SettingsTest::getKeysReturnsRelativeKeys_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("section with nested key")
        << "C_SECTION" << QStringList{"Empty", "Radius", "sub/Nested"};
    QTest::newRow("one key") << "A_SECTION" << QStringList{"Other"};
    QTest::newRow("nested group") << "C_SECTION/sub" << QStringList{"Nested"};
    QTest::newRow("absent group") << "NO_SECTION" << QStringList{};
}

void SettingsTest::getKeysReturnsRelativeKeys()
{
    QFETCH(QString, group);
    QFETCH(QStringList, expected);
    SettingsBase settings(fixturePath(), QSettings::IniFormat);
    QStringList keys = settings.getKeys(group);
    keys.sort();
    QCOMPARE(keys, expected);
}

void SettingsTest::getKeysKeepsCurrentGroup()
{
    SettingsBase settings(fixturePath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("C_SECTION"));
    // The group is entered relative to the current one.
    QCOMPARE(settings.getKeys(QStringLiteral("sub")), QStringList{QStringLiteral("Nested")});
    // Still inside C_SECTION: the relative key resolves there.
    QCOMPARE(settings.value(QStringLiteral("Radius")).toString(), QStringLiteral("9"));
    QCOMPARE(settings.getChildGroups(), QStringList{QStringLiteral("sub")});
    settings.endGroup();
    QCOMPARE(settings.value(QStringLiteral("top")).toString(), QStringLiteral("1"));
}

void SettingsTest::dataStorageCreatesEachObjectOnce()
{
    const QString stylePath = root() + QStringLiteral("/etc/xdg/vanto/style.ini");
    QTest::ignoreMessage(QtInfoMsg, qPrintable(QStringLiteral("Settings file path: ") + stylePath));

    DataStorage* storage = DataStorage::getInstance();
    QCOMPARE(DataStorage::getInstance(), storage);

    StyleSettings* style = storage->styleSettings();
    QVERIFY(style);
    QCOMPARE(storage->styleSettings(), style);

    TouchSettings* touch = storage->touchSettings();
    QVERIFY(touch);
    QCOMPARE(storage->touchSettings(), touch);

    SoftwareInfoSettings* software = storage->softwareInfoSettings();
    QVERIFY(software);
    QCOMPARE(storage->softwareInfoSettings(), software);

    // The holder also names the application for every other QSettings.
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("config"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("vanto"));
    QVERIFY(!QCoreApplication::organizationDomain().isEmpty());
}

void SettingsTest::dataStorageFilesLiveBelowRoot()
{
    DataStorage* storage = DataStorage::getInstance();
    QCOMPARE(storage->styleSettings()->fileName(), root() + "/etc/xdg/vanto/style.ini");
    QCOMPARE(storage->touchSettings()->fileName(), root() + "/etc/xdg/vanto/touch_settings.ini");
    QCOMPARE(storage->softwareInfoSettings()->fileName(), root() + "/etc/sw_versions");
    // The touch controller computes the path on its own; both must agree.
    QCOMPARE(TouchController::getInstance()->touchSettingsfilePath(),
             storage->touchSettings()->fileName());
}

void SettingsTest::displaySenderValue()
{
    DataStorage* storage = DataStorage::getInstance();
    QCOMPARE(int(storage->displaySenderVal()), 148);
    QCOMPARE(int(storage->displaySenderVal()), 148);
}

void SettingsTest::softwareInfoReadsVersionFile()
{
    // A fresh object, so the fixture written now is what it reads.
    const QString path = root() + QStringLiteral("/etc/sw_versions");
    QVERIFY(writeFile(path, "[versions]\nvanto=1.2.3\n"));
    QTest::ignoreMessage(QtInfoMsg,
                         qPrintable(QStringLiteral("Settings file path without scope: ") + path));
    SoftwareInfoSettings settings(QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("versions/vanto")).toString(), QStringLiteral("1.2.3"));
}

void SettingsTest::configurationFolder_data()
{
    QTest::addColumn<QString>("vantoRoot");
    QTest::addColumn<bool>("configDirsSet");
    QTest::addColumn<QString>("configDirs");
    QTest::addColumn<QString>("expectedFolder");

    const QString r = root();
    QTest::newRow("first system folder from the environment")
        << r << true << r + "/etc/xdg" << r + "/etc/xdg/vanto";
    QTest::newRow("first of several") << r << true << r + "/one:" + r + "/two" << r + "/one/vanto";
    // Without XDG_CONFIG_DIRS the default /etc/xdg must still stay inside
    // the private root.
    QTest::newRow("variable unset") << r << false << QString() << r + "/etc/xdg/vanto";
    QTest::newRow("folder outside the root") << r << true << "/opt/conf" << r + "/opt/conf/vanto";
    QTest::newRow("root is slash") << "/" << true << "/opt/conf"
                                   << "/opt/conf/vanto";
    // Lists built as "$XDG_CONFIG_DIRS:/x" from an empty variable start with
    // an empty entry; neither it nor a relative entry names a folder.
    QTest::newRow("empty first entry") << r << true << ":" + r + "/two" << r + "/two/vanto";
    QTest::newRow("relative first entry")
        << r << true << "etc/rel:" + r + "/two" << r + "/two/vanto";
    QTest::newRow("only empty entries") << r << true << "::" << r + "/etc/xdg/vanto";
}

void SettingsTest::configurationFolder()
{
    QFETCH(QString, vantoRoot);
    QFETCH(bool, configDirsSet);
    QFETCH(QString, configDirs);
    QFETCH(QString, expectedFolder);

    qputenv("VANTO_ROOT", vantoRoot.toLocal8Bit());
    if (configDirsSet)
        qputenv("XDG_CONFIG_DIRS", configDirs.toLocal8Bit());
    else
        qunsetenv("XDG_CONFIG_DIRS");

    // Building the objects only computes the names; nothing is written.
    StyleSettings style(QSettings::IniFormat);
    TouchSettings touch(QSettings::IniFormat);
    QCOMPARE(style.fileName(), expectedFolder + "/style.ini");
    QCOMPARE(touch.fileName(), expectedFolder + "/touch_settings.ini");
    QCOMPARE(TouchController::getInstance()->touchSettingsfilePath(), touch.fileName());
}

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
