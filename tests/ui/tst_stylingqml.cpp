// The screens bind to the styling controller's properties and switch themes
// through setTheme; check that round trip through a QML engine.
#include <vantoui/stylingcontroller.h>

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtTest>

#include <memory>

using VantoUi::StylingController;

class StylingQmlTest : public QObject
{
    Q_OBJECT

private slots:
    void bindingsFollowThemeSwitchFromQml();
};

void StylingQmlTest::bindingsFollowThemeSwitchFromQml()
{
    StylingController* controller = StylingController::getInstance();
    controller->Initialize(StylingController::ORA_THEME);

    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("StyleController"), controller);
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.15\n"
                      "QtObject {\n"
                      "    property var text1: StyleController.textColor1\n"
                      "    property int radius: StyleController.toggleButtonRadius\n"
                      "    property string icon: 'qrc:/media/' + StyleController.iconSet"
                      " + 'icons/x.png'\n"
                      "    property int theme: StyleController.theme\n"
                      "    function switchTo(theme) { StyleController.setTheme(theme) }\n"
                      "}\n",
                      QUrl(QStringLiteral("inline.qml")));
    std::unique_ptr<QObject> screen(component.create());
    QVERIFY2(screen, qPrintable(component.errorString()));

    QCOMPARE(screen->property("text1").value<QColor>(), QColor("#395f6f"));
    QCOMPARE(screen->property("radius").toInt(), 10);
    QCOMPARE(screen->property("icon").toString(), QStringLiteral("qrc:/media/clinic/icons/x.png"));
    QCOMPARE(screen->property("theme").toInt(), int(StylingController::ORA_THEME));

    QVERIFY(QMetaObject::invokeMethod(screen.get(), "switchTo",
                                      Q_ARG(QVariant, int(StylingController::LOUNGE_THEME))));
    QCOMPARE(controller->theme(), StylingController::LOUNGE_THEME);
    QCOMPARE(screen->property("text1").value<QColor>(), QColor("#545961"));
    QCOMPARE(screen->property("radius").toInt(), 30);
    QCOMPARE(screen->property("icon").toString(), QStringLiteral("qrc:/media/lounge/icons/x.png"));
    QCOMPARE(screen->property("theme").toInt(), int(StylingController::LOUNGE_THEME));
}

QTEST_GUILESS_MAIN(StylingQmlTest)
#include "tst_stylingqml.moc"
