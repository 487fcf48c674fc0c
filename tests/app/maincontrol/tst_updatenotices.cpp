// The update service announces a GUI update by connecting to one of three
// local socket names; the device controller turns that into appUpdateState
// and the update screen.

#include "controllers/devicecontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "types/enumproviderclass.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QtTest>

namespace {

using E = EnumProviderClass;

// Connects like the update service does: the connection is the message.
bool announce(const char* name)
{
    QLocalSocket socket;
    socket.connectToServer(QLatin1String(name));
    if (!socket.waitForConnected(2000))
        return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace

class TestUpdateNotices : public QObject
{
    Q_OBJECT

private slots:
    // A socket file left behind by a crashed run sits where the name lives;
    // the controller must clear it, or it never hears the update service.
    // Runs first, before any controller has listened in this process.
    void leftoverSocketFile()
    {
        const QString path = QDir::tempPath() + QLatin1String("/ovXXXGuiNotifyUpdateSucceeded");
        QFile leftover(path);
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.close();
        QVERIFY(!announce("ovXXXGuiNotifyUpdateSucceeded"));

        DeviceController d;
        QVERIFY(announce("ovXXXGuiNotifyUpdateSucceeded"));
        QTRY_COMPARE(d.appUpdateState(), E::UPDATE_APPLICATION_SUCCEDED);
    }

    void notices()
    {
        ApplicationController* app = ApplicationController::instance();
        DeviceController& dc = app->deviceController();
        QCOMPARE(dc.appUpdateState(), E::UPDATE_APPLICATION_UNDEFINED_STATE);
        QSignalSpy stateSpy(&dc, SIGNAL(appUpdateStateChanged()));
        QSignalSpy screenSpy(app, SIGNAL(goToUpdateApplicationState()));

        QVERIFY(announce("ovXXXGuiNotifyUpdateStarting"));
        QTRY_COMPARE(dc.appUpdateState(), E::UPDATE_APPLICATION_RUNNING);
        QCOMPARE(screenSpy.count(), 1);
        QCOMPARE(stateSpy.count(), 1);

        QVERIFY(announce("ovXXXGuiNotifyUpdateSucceeded"));
        QTRY_COMPARE(dc.appUpdateState(), E::UPDATE_APPLICATION_SUCCEDED);
        QCOMPARE(stateSpy.count(), 2);

        // Already succeeded: a second notice changes nothing.
        QVERIFY(announce("ovXXXGuiNotifyUpdateSucceeded"));
        QTest::qWait(200);
        QCOMPARE(stateSpy.count(), 2);

        QVERIFY(announce("ovXXXGuiNotifyUpdateFailed"));
        QTRY_COMPARE(dc.appUpdateState(), E::UPDATE_APPLICATION_FAILED);
        QCOMPARE(stateSpy.count(), 3);
        QCOMPARE(screenSpy.count(), 1);
    }

    // A stale socket file of an earlier run does not keep the panel deaf.
    void staleServerReplaced()
    {
        DeviceController second; // takes the names over, as after a restart
        QSignalSpy spy(&second, SIGNAL(appUpdateStateChanged()));
        QVERIFY(announce("ovXXXGuiNotifyUpdateFailed"));
        QTRY_COMPARE(second.appUpdateState(), E::UPDATE_APPLICATION_FAILED);
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestUpdateNotices)
#include "tst_updatenotices.moc"
