// The application controller: initialisation, theme by appliance type, the
// screen state machine with the real root window, and the watchdog.
#include "core/applicationcontroller.h"
#include "core/appstate.h"
#include "core/systempath.h"
#include "core/telegrammanager.h"

#include <vantoui/stylingcontroller.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QtQml>

using VantoUi::StylingController;

namespace {
const QUrl MainUrl(QStringLiteral("qrc:/qml/main.qml"));

struct Sent
{
    uchar receiver, command;
    QByteArray data;
};
} // namespace

class TestStateMachine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void initWithoutEngineFails();
    void initSendsTheInitialRequestsInOrder();
    void initPublishesTheControllers();
    void unknownApplianceTypeShowsTheResetScreen();
    void clinicSelectsOraThemeAndLoginFirst();
    void signalsPickScreens_data();
    void signalsPickScreens();
    void sameStateTwiceChangesOnce();
    void signalsWithoutStateChangeNothing_data();
    void signalsWithoutStateChangeNothing();
    void repeatedApplianceTypeKeepsOneWindow();
    void everyPressMakesTheUnitClick();
    void everyTouchMakesTheUnitClick();
    void languageChangeReloadsTheScreen();
    void watchdogFlagsSilenceAndNextTelegramClearsIt();
    void updateApplicationStateIsFinal();

private:
    QObject* mainWindow() const;
    bool loaderShows(const QString& screenFile) const;

    QQmlApplicationEngine* m_engine = nullptr;
    QList<Sent> m_sent;
};

void TestStateMachine::initTestCase()
{
    qmlRegisterType<EnumProviderClass>("Tq.Controller.EnumProvider", 1, 0, "EnumProviderClass");
    qRegisterMetaType<uint32_t>("uint32_t");
    m_engine = new QQmlApplicationEngine(this);
    m_engine->rootContext()->setContextProperty(QStringLiteral("StyleController"),
                                                StylingController::getInstance());
    QDir().mkpath(systemPath("/etc"));
    QFile f(systemPath("/etc/sw_versions"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("gui=2.0\nlinux=4.14.98\n");
    f.close();
    connect(TelegramManager::instance(), &TelegramManager::telegramToSend, this,
            [this](rimoTelegram& t) {
                m_sent.append({t.receiverAddress(), t.command(), t.data()});
            });
}

QObject* TestStateMachine::mainWindow() const
{
    for (QObject* o : m_engine->rootObjects())
        if (o->objectName() != QLatin1String("ResetDeviceView.qml"))
            return o;
    return nullptr;
}

bool TestStateMachine::loaderShows(const QString& screenFile) const
{
    QObject* window = mainWindow();
    if (!window)
        return false;
    const QString name = screenFile.section(QLatin1Char('/'), -1);
    return window->findChild<QObject*>(name) != nullptr;
}

void TestStateMachine::initWithoutEngineFails()
{
    QTest::ignoreMessage(QtDebugMsg, "Context is null");
    QVERIFY(!ApplicationController::instance()->init(nullptr, MainUrl));
}

void TestStateMachine::initSendsTheInitialRequestsInOrder()
{
    m_sent.clear();
    QVERIFY(ApplicationController::instance()->init(m_engine, MainUrl));
    QList<int> requested;
    for (const Sent& s : qAsConst(m_sent)) {
        if (s.receiver == 0x08 && s.command == 0x89 && s.data.size() == 2)
            requested << (quint8(s.data[0]) | (quint8(s.data[1]) << 8));
    }
    // Controllers may ask for values of their own as well; the initial list
    // must appear in this order.
    const QList<int> expected = {10017, 10029, 10027, 10028, 101,   10037, 10016, 10011, 10048,
                                 10004, 10006, 10005, 10038, 10001, 10043, 10057, 10039, 10001};
    int at = 0;
    for (int id : qAsConst(requested))
        if (at < expected.size() && id == expected[at])
            ++at;
    QVERIFY2(at == expected.size(),
             qPrintable(QStringLiteral("matched %1 of %2 in %3")
                            .arg(at)
                            .arg(expected.size())
                            .arg(QVariant::fromValue(requested).toString())));
    QCOMPARE(ApplicationController::instance()->softwareVersionList(), (QStringList{"4", "14"}));
    // Nothing is shown before the appliance type is handled.
    QVERIFY(m_engine->rootObjects().isEmpty());
    QVERIFY(!ApplicationController::instance()->stateMachine().isRunning());
}

void TestStateMachine::initPublishesTheControllers()
{
    const char* names[] = {"appState",
                           "massageController",
                           "deviceController",
                           "languageController",
                           "spaController",
                           "mediaController",
                           "bluetoothController",
                           "nfcController",
                           "errorController",
                           "softwareLicenseInfoController",
                           "quickstartButtonInfoModel",
                           "audioListModel",
                           "languageModel"};
    for (const char* name : names) {
        const QVariant v = m_engine->rootContext()->contextProperty(QString::fromLatin1(name));
        QVERIFY2(v.value<QObject*>() != nullptr, name);
    }
    ApplicationController* app = ApplicationController::instance();
    QCOMPARE(m_engine->rootContext()->contextProperty("deviceController").value<QObject*>(),
             static_cast<QObject*>(&app->deviceController()));
    QVERIFY(app->quickstartButtonInfoModel() != nullptr);
}

void TestStateMachine::unknownApplianceTypeShowsTheResetScreen()
{
    telegram_param_def type;
    type.value = 5;
    QTest::ignoreMessage(QtDebugMsg, "could not init device type");
    QTest::ignoreMessage(QtDebugMsg, "could not init device type");
    ApplicationController::instance()->initDeviceType(type);
    QCOMPARE(m_engine->rootObjects().size(), 1);
    QCOMPARE(m_engine->rootObjects().first()->objectName(), QStringLiteral("ResetDeviceView.qml"));
    QVERIFY(!ApplicationController::instance()->stateMachine().isRunning());
}

void TestStateMachine::clinicSelectsOraThemeAndLoginFirst()
{
    ApplicationController* app = ApplicationController::instance();
    QSignalSpy finished(app, &ApplicationController::initDeviceTypeFinished);
    telegram_param_def type;
    type.value = 2;
    app->initDeviceType(type);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(StylingController::getInstance()->theme(), StylingController::ORA_THEME);
    QVERIFY(mainWindow() != nullptr);
    QTRY_VERIFY(app->stateMachine().isRunning());
    QTRY_COMPARE(app->appState()->currentScreen(), QStringLiteral("LoginView.qml"));
    QTRY_VERIFY(loaderShows("LoginView.qml"));
}

void TestStateMachine::signalsPickScreens_data()
{
    QTest::addColumn<QString>("signal");
    QTest::addColumn<QString>("screen");
    const QList<QPair<const char*, const char*>> rows = {
        {"goToReferenceRunState", "ReferenceRunView.qml"},
        {"goToReadyIdleState", "ReadyStateView.qml"},
        {"goToChipPaySessionState", "ChipPayReadyStateView.qml"},
        {"goToCoinSession", "SessionView.qml"},
        {"goToSetupManagerState", "../qml-psm/MainView.qml"},
        {"goToTimeSessionState", "SessionView.qml"},
        {"goToDeviceErrorState", "ErrorView.qml"},
        {"goToSetupSessionState", "SetupSessionView.qml"},
        {"goToSoftwareUpdateState", "SoftwareUpdateView.qml"},
        {"goToManualSessionState", "AdjustMotorPositionView.qml"},
        {"goToSaveSessionState", "SaveSessionView.qml"},
        {"goToCleanDeviceState", "CleanDeviceView.qml"},
        {"goToProgramSessionFreeState", "IndividuallyMassageView.qml"},
        {"goToSessionLoginState", "LoginView.qml"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.first) << QString::fromLatin1(r.first) << QString::fromLatin1(r.second);
}

void TestStateMachine::signalsPickScreens()
{
    QFETCH(QString, signal);
    QFETCH(QString, screen);
    ApplicationController* app = ApplicationController::instance();
    QVERIFY(QMetaObject::invokeMethod(app, signal.toLatin1().constData()));
    QTRY_COMPARE(app->appState()->currentScreen(), screen);
    QTRY_VERIFY(loaderShows(screen));
}

void TestStateMachine::sameStateTwiceChangesOnce()
{
    ApplicationController* app = ApplicationController::instance();
    QSignalSpy changed(app->appState(), &AppState::currentScreenChanged);
    emit app->goToReadyIdleState();
    QTRY_COMPARE(app->appState()->currentScreen(), QStringLiteral("ReadyStateView.qml"));
    emit app->goToReadyIdleState();
    QTest::qWait(50);
    QCOMPARE(changed.count(), 1);
}

void TestStateMachine::signalsWithoutStateChangeNothing_data()
{
    QTest::addColumn<QString>("signal");
    QTest::newRow("service session") << "goToServiceSessionState";
    QTest::newRow("main mode") << "goToMainModeState";
    QTest::newRow("pause session") << "goToPauseSessionState";
    QTest::newRow("hold") << "goToHoldState";
}

void TestStateMachine::signalsWithoutStateChangeNothing()
{
    QFETCH(QString, signal);
    ApplicationController* app = ApplicationController::instance();
    const QString before = app->appState()->currentScreen();
    QSignalSpy changed(app->appState(), &AppState::currentScreenChanged);
    QVERIFY(QMetaObject::invokeMethod(app, signal.toLatin1().constData()));
    QTest::qWait(50);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(app->appState()->currentScreen(), before);
}

void TestStateMachine::repeatedApplianceTypeKeepsOneWindow()
{
    ApplicationController* app = ApplicationController::instance();
    const int roots = m_engine->rootObjects().size();
    telegram_param_def type;
    type.value = 1;
    app->initDeviceType(type);
    app->initDeviceType(type);
    QCOMPARE(StylingController::getInstance()->theme(), StylingController::LOUNGE_THEME);
    QCOMPARE(m_engine->rootObjects().size(), roots);
    QVERIFY(app->stateMachine().isRunning());
}

void TestStateMachine::everyPressMakesTheUnitClick()
{
    auto* window = qobject_cast<QQuickWindow*>(mainWindow());
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // A mouse area on the screen below still gets the press.
    QQuickItem* screen = qobject_cast<QQuickItem*>(window->findChild<QObject*>(
        ApplicationController::instance()->appState()->currentScreen().section('/', -1)));
    QVERIFY(screen);
    QQmlComponent probe(m_engine);
    probe.setData("import QtQuick 2.15\nMouseArea { anchors.fill: parent; property int presses: 0;"
                  " onPressed: presses++ }",
                  QUrl());
    QScopedPointer<QObject> area(probe.create());
    QVERIFY2(area, qPrintable(probe.errorString()));
    qobject_cast<QQuickItem*>(area.data())->setParentItem(screen);

    m_sent.clear();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(640, 400));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(100, 700));
    int clicks = 0;
    for (const Sent& s : qAsConst(m_sent))
        clicks += (s.receiver == 0x08 && s.command == 0xA3 && s.data.isEmpty()) ? 1 : 0;
    QCOMPARE(clicks, 2);
    QCOMPARE(area->property("presses").toInt(), 2);
}

void TestStateMachine::everyTouchMakesTheUnitClick()
{
    // The panel's screen delivers touches, not mouse presses: the key-click
    // layer must click for them too and still let them reach the screen.
    auto* window = qobject_cast<QQuickWindow*>(mainWindow());
    QVERIFY(window);
    QQuickItem* screen = qobject_cast<QQuickItem*>(window->findChild<QObject*>(
        ApplicationController::instance()->appState()->currentScreen().section('/', -1)));
    QVERIFY(screen);
    QQmlComponent probe(m_engine);
    probe.setData("import QtQuick 2.15\nMouseArea { anchors.fill: parent; property int presses: 0;"
                  " onPressed: presses++ }",
                  QUrl());
    QScopedPointer<QObject> area(probe.create());
    QVERIFY2(area, qPrintable(probe.errorString()));
    qobject_cast<QQuickItem*>(area.data())->setParentItem(screen);

    static QTouchDevice* device = QTest::createTouchDevice();
    m_sent.clear();
    for (const QPoint& at : {QPoint(640, 400), QPoint(100, 700)}) {
        QTest::touchEvent(window, device).press(0, at, window);
        QTest::touchEvent(window, device).release(0, at, window);
    }
    int clicks = 0;
    for (const Sent& s : qAsConst(m_sent))
        clicks += (s.receiver == 0x08 && s.command == 0xA3 && s.data.isEmpty()) ? 1 : 0;
    QCOMPARE(clicks, 2);
    QCOMPARE(area->property("presses").toInt(), 2);
}

void TestStateMachine::languageChangeReloadsTheScreen()
{
    const QString screen = ApplicationController::instance()->appState()->currentScreen();
    QObject* before = mainWindow()->findChild<QObject*>(screen.section('/', -1));
    QVERIFY(before);
    QPointer<QObject> watch(before);
    emit ApplicationController::instance()->languageController().languageChanged();
    QTRY_VERIFY(watch.isNull());      // the old instance is gone ...
    QTRY_VERIFY(loaderShows(screen)); // ... and the same screen is built anew
}

void TestStateMachine::watchdogFlagsSilenceAndNextTelegramClearsIt()
{
    ApplicationController* app = ApplicationController::instance();
    DeviceController& device = app->deviceController();
    TelegramManager::instance()->onTelegramArrived(rimoTelegram(1, 0x94, 0x25, 0x09, QByteArray()));
    QVERIFY(!device.commToControlUnitFailed());
    QTest::qWait(4500);
    QVERIFY(!device.commToControlUnitFailed());
    QTRY_VERIFY_WITH_TIMEOUT(device.commToControlUnitFailed(), 1500);
    TelegramManager::instance()->onTelegramArrived(rimoTelegram(2, 0x94, 0x25, 0x09, QByteArray()));
    QVERIFY(!device.commToControlUnitFailed());
}

void TestStateMachine::updateApplicationStateIsFinal()
{
    ApplicationController* app = ApplicationController::instance();
    emit app->goToUpdateApplicationState();
    QTRY_COMPARE(app->appState()->currentScreen(), QStringLiteral("UpdateApplicationView.qml"));
    QTRY_VERIFY(loaderShows("UpdateApplicationView.qml"));
    emit app->goToDeviceErrorState();
    emit app->goToSessionLoginState();
    emit app->goToReadyIdleState();
    QTest::qWait(100);
    QCOMPARE(app->appState()->currentScreen(), QStringLiteral("UpdateApplicationView.qml"));
}

int main(int argc, char** argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    TestStateMachine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_statemachine.moc"
