// A fresh controller started with DEFAULT_THEME: the defaults file is still
// written, but no section of it is loaded.
#include <vantoui/stylingcontroller.h>

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

using namespace VantoUi;

class StylingDefaultThemeTest : public QObject
{
    Q_OBJECT

private slots:
    void freshStartWithDefaultTheme();
    void handMadeDefaultSectionIsRead();
};

namespace {
QString styleFile()
{
    return qEnvironmentVariable("VANTO_ROOT") + QStringLiteral("/etc/xdg/vanto/style.ini");
}
} // namespace

void StylingDefaultThemeTest::freshStartWithDefaultTheme()
{
    QVERIFY(!QFile::exists(styleFile()));
    StylingController* controller = StylingController::getInstance();
    QSignalSpy themeSpy(controller, &StylingController::themeChanged);
    QSignalSpy styleSpy(controller, &StylingController::styleChanged);

    controller->Initialize(StylingController::DEFAULT_THEME);

    QCOMPARE(themeSpy.count(), 0);
    QCOMPARE(styleSpy.count(), 1);
    QSettings written(styleFile(), QSettings::IniFormat);
    QCOMPARE(written.allKeys().size(), 273);
    QVERIFY(!written.childGroups().contains("DEFAULT_THEME"));

    QCOMPARE(controller->iconSet(), QStringLiteral("ora/"));
    QCOMPARE(controller->buttonRadius(), 0);
    QVERIFY(!controller->textColor1().isValid());
    QVERIFY(controller->font1().isEmpty());
}

void StylingDefaultThemeTest::handMadeDefaultSectionIsRead()
{
    {
        QSettings file(styleFile(), QSettings::IniFormat);
        file.setValue("DEFAULT_THEME/Button_Radius", 4);
        file.setValue("DEFAULT_THEME/Text_Color1", "#102030");
        file.sync();
    }
    StylingController* controller = StylingController::getInstance();
    controller->Initialize(StylingController::DEFAULT_THEME);
    QCOMPARE(controller->buttonRadius(), 4);
    QCOMPARE(controller->textColor1(), QColor("#102030"));
    QSettings written(styleFile(), QSettings::IniFormat);
    QCOMPARE(written.allKeys().size(), 275);
}

QTEST_GUILESS_MAIN(StylingDefaultThemeTest)
#include "tst_stylingdefaulttheme.moc"
