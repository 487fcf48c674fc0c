// Styling controller: the defaults file of a first start, the values each
// theme loads, hand edits of the file, and the change signals QML relies on.
// One controller per process, so the functions build on each other in order.
#include "styledefaults.h"

#include <vantoui/datastorage.h>
#include <vantoui/stylesettings.h>
#include <vantoui/stylingcontroller.h>

#include <QFile>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

using namespace VantoUi;
using Theme = StylingController::Theme;

namespace {

StylingController* controller()
{
    return StylingController::getInstance();
}

QString styleFile()
{
    return qEnvironmentVariable("VANTO_ROOT") + QStringLiteral("/etc/xdg/vanto/style.ini");
}

int column(Theme theme)
{
    switch (theme) {
    case StylingController::LOUNGE_THEME:
        return 1;
    case StylingController::CUSTOM_THEME:
        return 2;
    default:
        return 0; // ORA_THEME and US_VERSION_THEME share their defaults
    }
}

// A stored colour loads only when it is "#" with six or eight hex digits.
QVariant expectedValue(StyleDefaults::Kind kind, const char* stored)
{
    const QString text = stored ? QString::fromLatin1(stored) : QString();
    switch (kind) {
    case StyleDefaults::Colour: {
        static const QRegularExpression valid(QStringLiteral("^#([0-9a-f]{6}|[0-9a-f]{8})$"));
        return valid.match(text).hasMatch() ? QColor(text) : QColor();
    }
    case StyleDefaults::Integer:
        return text.toInt();
    case StyleDefaults::Text:
        return text;
    }
    return QVariant();
}

// Replaces the text of the style file, as an operator editing it by hand.
bool editStyleFile(const std::function<void(QList<QByteArray>&)>& edit)
{
    QFile file(styleFile());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    edit(lines);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray text = lines.join('\n');
    return file.write(text) == text.size();
}

void insertAfterSection(QList<QByteArray>& lines, const QByteArray& section, const QByteArray& line)
{
    const int at = lines.indexOf("[" + section + "]");
    if (at >= 0)
        lines.insert(at + 1, line);
}

const Theme WrittenThemes[] = {StylingController::ORA_THEME, StylingController::LOUNGE_THEME,
                               StylingController::US_VERSION_THEME,
                               StylingController::CUSTOM_THEME};

QString themeName(Theme theme)
{
    return QString::fromLatin1(QMetaEnum::fromType<Theme>().valueToKey(theme));
}

} // namespace

class StylingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void propertiesAreReadOnlyWithTheirSignals();
    void firstStartWritesDefaults();
    void defaultsFileMatchesTable_data();
    void defaultsFileMatchesTable();
    void loadedValuesMatchTable_data();
    void loadedValuesMatchTable();
    void loungeTheme();
    void invalidColours_data();
    void invalidColours();
    void handAddedKeyAfterThemeSwitch();
    void existingFileIsNotRewritten();
    void settersEmitOnlyOnChange_data();
    void settersEmitOnlyOnChange();
    void setThemeEmitsOnlyOnChange();
    void themeSwitchReemitsEveryProperty();
};

void StylingTest::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("VANTO_ROOT"), "run through tests/run-isolated");
    QVERIFY(!QFile::exists(styleFile()));
    QCOMPARE(controller()->theme(), StylingController::DEFAULT_THEME);
    QVERIFY(!controller()->textColor1().isValid());
    QCOMPARE(controller()->buttonRadius(), 0);
    QVERIFY(controller()->iconSet().isEmpty());
}

void StylingTest::propertiesAreReadOnlyWithTheirSignals()
{
    const QMetaObject* meta = controller()->metaObject();
    const int first = StylingController::staticMetaObject.propertyOffset();
    QCOMPARE(meta->propertyCount() - first, 76);

    // Two notify signals do not follow the "<name>Changed" pattern.
    const QHash<QByteArray, QByteArray> exceptions{
        {"theme", "themeChanged(StylingController::Theme)"},
        {"mainMenuButtonColor", "mainMenubuttonColorChanged()"},
    };
    for (int i = first; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QByteArray name = property.name();
        QVERIFY2(!property.isWritable(), name.constData());
        QVERIFY2(property.hasNotifySignal(), name.constData());
        const QByteArray expected = exceptions.value(name, name + "Changed()");
        QCOMPARE(property.notifySignal().methodSignature(), expected);
    }
}

void StylingTest::firstStartWritesDefaults()
{
    QSignalSpy themeSpy(controller(), &StylingController::themeChanged);
    controller()->Initialize(StylingController::ORA_THEME);

    QCOMPARE(themeSpy.count(), 1);
    QCOMPARE(themeSpy.at(0).at(0).value<Theme>(), StylingController::ORA_THEME);
    QCOMPARE(DataStorage::getInstance()->styleSettings()->fileName(), styleFile());

    // Count on the file's text itself: four sections, 273 values.
    QFile file(styleFile());
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    int sections = 0;
    int values = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith('['))
            ++sections;
        else if (line.contains('='))
            ++values;
    }
    QCOMPARE(sections, 4);
    QCOMPARE(values, 273);

    QSettings written(styleFile(), QSettings::IniFormat);
    QCOMPARE(written.childGroups(),
             (QStringList{"CUSTOM_THEME", "LOUNGE_THEME", "ORA_THEME", "US_VERSION_THEME"}));

    QCOMPARE(controller()->buttonRadius(), 12);
    QCOMPARE(controller()->toggleButtonRadius(), 10);
    QCOMPARE(controller()->iconSet(), QStringLiteral("clinic/"));
    QCOMPARE(controller()->textColor1(), QColor("#395f6f"));
    QCOMPARE(controller()->font1Light(), QStringLiteral("Roboto Light"));
    // Alpha comes first in the eight-digit form.
    QCOMPARE(controller()->grayOutEffektColor().alpha(), 0xb3);
    QCOMPARE(controller()->grayOutEffektColor().red(), 0x39);
}

void StylingTest::defaultsFileMatchesTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected"); // invalid: must be absent

    for (Theme theme : WrittenThemes) {
        const QString section = themeName(theme);
        for (const StyleDefaults::Row& row : StyleDefaults::Rows) {
            const char* value = row.values[column(theme)];
            const QString key = section + "/" + row.key;
            QTest::newRow(qPrintable(key))
                << key << (value ? QVariant(QString::fromLatin1(value)) : QVariant());
        }
        const QString extra = section + "/Button_Passive_Start_Color";
        QTest::newRow(qPrintable(extra))
            << extra
            << (theme == StylingController::CUSTOM_THEME ? QVariant("#ebeff1") : QVariant());
    }
    QTest::newRow("no DEFAULT_THEME section") << "DEFAULT_THEME/Button_Radius" << QVariant();
}

void StylingTest::defaultsFileMatchesTable()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    QSettings written(styleFile(), QSettings::IniFormat);
    QCOMPARE(written.contains(key), expected.isValid());
    if (expected.isValid())
        QCOMPARE(written.value(key).toString(), expected.toString());
}

void StylingTest::loadedValuesMatchTable_data()
{
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");

    for (Theme theme : WrittenThemes) {
        for (const StyleDefaults::Row& row : StyleDefaults::Rows) {
            QTest::addRow("%s/%s", qPrintable(themeName(theme)), row.property)
                << theme << QByteArray(row.property)
                << expectedValue(row.kind, row.values[column(theme)]);
        }
    }
}

void StylingTest::loadedValuesMatchTable()
{
    QFETCH(Theme, theme);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);

    controller()->setTheme(theme);
    QCOMPARE(controller()->theme(), theme);
    const QVariant actual = controller()->property(property.constData());
    QVERIFY(actual.isValid());
    if (expected.type() == QVariant::Color) {
        const QColor colour = actual.value<QColor>();
        QCOMPARE(colour.isValid(), expected.value<QColor>().isValid());
        QCOMPARE(colour, expected.value<QColor>());
    } else {
        QCOMPARE(actual, expected);
    }
}

void StylingTest::loungeTheme()
{
    controller()->setTheme(StylingController::ORA_THEME);
    controller()->Initialize(StylingController::LOUNGE_THEME);
    QCOMPARE(controller()->theme(), StylingController::LOUNGE_THEME);
    QCOMPARE(controller()->toggleButtonRadius(), 30);
    QCOMPARE(controller()->headerBackgroundColorStart(), QColor("#3c1432"));
    QCOMPARE(controller()->iconSet(), QStringLiteral("lounge/"));

    const std::pair<Theme, QString> iconSets[] = {
        {StylingController::US_VERSION_THEME, "us_version/"},
        {StylingController::CUSTOM_THEME, "custom/"},
        {StylingController::DEFAULT_THEME, "ora/"},
        {StylingController::ORA_THEME, "clinic/"}};
    for (const auto& iconSet : iconSets) {
        controller()->setTheme(iconSet.first);
        QCOMPARE(controller()->iconSet(), iconSet.second);
    }
}

void StylingTest::invalidColours_data()
{
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<bool>("valid");

    const QByteArray neverWritten[] = {"buttonTextColor",    "sliderButtonColor",
                                       "specialButtonColor", "mainMenuButtonColor",
                                       "sliderTickerColor",  "sliderButtonColorPressed"};
    for (Theme theme : WrittenThemes) {
        const QString name = themeName(theme);
        QTest::addRow("%s: text without #", qPrintable(name))
            << theme << QByteArray("backgroundFontColor") << false;
        for (const QByteArray& property : neverWritten)
            QTest::addRow("%s: %s", qPrintable(name), property.constData())
                << theme << property << false;
    }
    QTest::newRow("custom: five hex digits")
        << StylingController::CUSTOM_THEME << QByteArray("sliderButtonStartColor") << false;
    QTest::newRow("ora: same key is valid")
        << StylingController::ORA_THEME << QByteArray("sliderButtonStartColor") << true;
    QTest::newRow("default theme: nothing loaded")
        << StylingController::DEFAULT_THEME << QByteArray("textColor1") << false;
}

void StylingTest::invalidColours()
{
    QFETCH(Theme, theme);
    QFETCH(QByteArray, property);
    QFETCH(bool, valid);
    controller()->setTheme(theme);
    QCOMPARE(controller()->property(property.constData()).value<QColor>().isValid(), valid);
}

void StylingTest::handAddedKeyAfterThemeSwitch()
{
    controller()->setTheme(StylingController::ORA_THEME);
    QVERIFY(!controller()->specialButtonColor().isValid());

    QVERIFY(editStyleFile([](QList<QByteArray>& lines) {
        insertAfterSection(lines, "ORA_THEME", "Special_Button_Color=#123456");
    }));
    QVERIFY(!controller()->specialButtonColor().isValid());

    controller()->setTheme(StylingController::LOUNGE_THEME);
    QVERIFY(!controller()->specialButtonColor().isValid());
    controller()->setTheme(StylingController::ORA_THEME);
    QCOMPARE(controller()->specialButtonColor(), QColor("#123456"));
}

void StylingTest::existingFileIsNotRewritten()
{
    controller()->setTheme(StylingController::LOUNGE_THEME);
    QVERIFY(editStyleFile([](QList<QByteArray>& lines) {
        lines.removeAll("Text_Color1=#395f6f"); // from ORA_THEME and US_VERSION_THEME
        const int at = lines.indexOf("[ORA_THEME]");
        for (int i = at; at >= 0 && i < lines.size(); ++i) {
            if (lines[i] == "Button_Radius=12") {
                lines[i] = "Button_Radius=5";
                break;
            }
        }
    }));

    controller()->Initialize(StylingController::ORA_THEME);
    QCOMPARE(controller()->buttonRadius(), 5);
    QVERIFY(!controller()->textColor1().isValid());

    QSettings written(styleFile(), QSettings::IniFormat);
    QVERIFY(!written.contains("ORA_THEME/Text_Color1"));
    QCOMPARE(written.value("ORA_THEME/Button_Radius").toInt(), 5);
}

namespace {

struct SetterCase
{
    const char* name;
    const char* signal;
    std::function<void(int)> set; // value 0 or 1
};

std::vector<SetterCase> setterCases()
{
    StylingController* c = controller();
    const QColor colours[] = {QColor("#010203"), QColor("#a0b0c0")};
    return {
        {"colour", "buttonColorChanged()", [=](int v) { c->setButtonColor(colours[v]); }},
        {"integer", "buttonRadiusChanged()", [=](int v) { c->setButtonRadius(100 + v); }},
        {"text", "font1Changed()", [=](int v) { c->setFont1(v ? "Sans B" : "Sans A"); }},
        {"icon set", "iconSetChanged()", [=](int v) { c->setIconSet(v ? "b/" : "a/"); }},
        {"check mark", "checkMarkColorChanged()", [=](int v) { c->setCheckmarkColor(colours[v]); }},
        {"pressed slider button", "sliderButtonColorPressedChanged()",
         [=](int v) { c->setSliderButtonPressedColor(colours[v]); }},
        {"main menu button", "mainMenubuttonColorChanged()",
         [=](int v) { c->setMainMenuButtonColor(colours[v]); }},
        {"ticker", "sliderTickerColorChanged()",
         [=](int v) { c->setSliderTickerColor(colours[v]); }},
    };
}

} // namespace

void StylingTest::settersEmitOnlyOnChange_data()
{
    QTest::addColumn<int>("index");
    const std::vector<SetterCase> cases = setterCases();
    for (size_t i = 0; i < cases.size(); ++i)
        QTest::newRow(cases[i].name) << int(i);
}

void StylingTest::settersEmitOnlyOnChange()
{
    QFETCH(int, index);
    const SetterCase setter = setterCases().at(size_t(index));
    const QMetaObject* meta = controller()->metaObject();
    const int signalIndex = meta->indexOfSignal(setter.signal);
    QVERIFY2(signalIndex >= 0, setter.signal);
    QSignalSpy spy(controller(), meta->method(signalIndex));

    setter.set(0);
    QCOMPARE(spy.count(), 1);
    setter.set(0);
    QCOMPARE(spy.count(), 1);
    setter.set(1);
    QCOMPARE(spy.count(), 2);
    setter.set(1);
    QCOMPARE(spy.count(), 2);
}

void StylingTest::setThemeEmitsOnlyOnChange()
{
    controller()->setTheme(StylingController::CUSTOM_THEME);
    QSignalSpy themeSpy(controller(), &StylingController::themeChanged);
    QSignalSpy styleSpy(controller(), &StylingController::styleChanged);
    QSignalSpy colourSpy(controller(), &StylingController::textColor1Changed);

    controller()->setTheme(StylingController::CUSTOM_THEME);
    QCOMPARE(themeSpy.count(), 0);
    QCOMPARE(styleSpy.count(), 0);
    QCOMPARE(colourSpy.count(), 0);

    controller()->setTheme(StylingController::LOUNGE_THEME);
    QCOMPARE(themeSpy.count(), 1);
    QCOMPARE(themeSpy.at(0).at(0).value<Theme>(), StylingController::LOUNGE_THEME);
}

void StylingTest::themeSwitchReemitsEveryProperty()
{
    controller()->setTheme(StylingController::ORA_THEME);
    const QMetaObject* meta = controller()->metaObject();
    const int first = StylingController::staticMetaObject.propertyOffset();

    struct Watch
    {
        QByteArray name;
        QVariant before;
        std::unique_ptr<QSignalSpy> spy;
    };
    std::vector<Watch> watches;
    for (int i = first; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (qstrcmp(property.name(), "theme") == 0)
            continue;
        watches.push_back({property.name(), property.read(controller()),
                           std::make_unique<QSignalSpy>(controller(), property.notifySignal())});
    }
    QCOMPARE(int(watches.size()), 75);
    QSignalSpy styleSpy(controller(), &StylingController::styleChanged);

    // US_VERSION_THEME shares ORA_THEME's values apart from the icon set and
    // the edits made above, so most properties do not change at all.
    controller()->setTheme(StylingController::US_VERSION_THEME);

    int unchanged = 0;
    for (const Watch& watch : watches) {
        const bool changed = controller()->property(watch.name.constData()) != watch.before;
        unchanged += changed ? 0 : 1;
        // Once from the setter when the value changed, once more from the
        // theme switch for every property.
        QVERIFY2(watch.spy->count() == (changed ? 2 : 1), watch.name.constData());
    }
    QVERIFY(unchanged > 60);
    QCOMPARE(styleSpy.count(), 2);
}

QTEST_GUILESS_MAIN(StylingTest)
#include "tst_styling.moc"
