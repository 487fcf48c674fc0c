// USB update handler against the UDisks2 double on a private system bus,
// with a stub "systemupdate.sh" on PATH and local-socket listeners standing
// in for the GUI processes.
#include "brokertestsupport.h"
#include "rimousbhandler.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStorageInfo>
#include <QtTest>

#include <memory>

namespace {

// One notification name the GUI would listen on.
class Listener : public QObject
{
public:
    explicit Listener(const QString& name)
    {
        QLocalServer::removeServer(name);
        m_server.listen(name);
        connect(&m_server, &QLocalServer::newConnection, this, [this] {
            while (m_server.hasPendingConnections()) {
                connections << m_server.nextPendingConnection();
            }
        });
    }
    bool listening() const { return m_server.isListening(); }
    QByteArray payload(int i)
    {
        QLocalSocket* s = connections.value(i);
        if (!s) {
            return QByteArray();
        }
        s->waitForReadyRead(0);
        payloads.resize(connections.size());
        payloads[i] += s->readAll();
        return payloads[i];
    }
    void clear()
    {
        qDeleteAll(connections);
        connections.clear();
        payloads.clear();
    }

    QList<QLocalSocket*> connections;
    QVector<QByteArray> payloads;

private:
    QLocalServer m_server;
};

QString runDir()
{
    return vantoRoot() + QStringLiteral("/run");
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
    }
}

} // namespace

class TestBrokerUsb : public QObject
{
    Q_OBJECT

    PrivateSystemBus m_bus;
    std::unique_ptr<Listener> m_starting;
    std::unique_ptr<Listener> m_succeeded;
    std::unique_ptr<Listener> m_failed;
    std::unique_ptr<Listener> m_external;
    int m_sticks = 0;

    // A stick with the given files below its mount directory, announced as
    // UDisks2 would announce a freshly plugged one. Returns its mount path.
    QString plugStick(const QStringList& files)
    {
        const QString name = QStringLiteral("sd%1").arg(++m_sticks);
        const QString mountDir = vantoRoot() + "/media/" + name;
        QDir().mkpath(mountDir);
        for (const QString& file : files) {
            writeFile(mountDir + "/" + file, "0123abcd  image\n");
        }
        // The handler finds the stick's UDisks2 object again from the device
        // of its mount point, so the double names that device.
        const QString device = QString::fromLocal8Bit(QStorageInfo(mountDir).device());
        if (!m_bus.addFilesystem(name, device, mountDir, "1234-ABCD") || !m_bus.announce(name)) {
            return QString();
        }
        return mountDir;
    }

    QString updateArgs() { return QString::fromUtf8(readFile(runDir() + "/update-args")); }

private slots:
    void initTestCase()
    {
        requirePrivateRoot();
        QVERIFY(m_bus.start());
        const QString bin = vantoRoot() + "/bin";
        writeFile(bin + "/systemupdate.sh",
                  "#!/bin/sh\n"
                  "echo \"$@\" >> \"$VANTO_ROOT/run/update-args\"\n"
                  "echo progress 50%\n"
                  "case \"$(cat \"$VANTO_ROOT/run/update-mode\" 2>/dev/null)\" in\n"
                  "  wait) while [ ! -e \"$VANTO_ROOT/run/update-go\" ]; do sleep 0.02; done ;;\n"
                  "  fail) exit 3 ;;\n"
                  "  crash) kill -SEGV $$ ;;\n"
                  "esac\n"
                  "exit 0\n");
        QFile::setPermissions(bin + "/systemupdate.sh",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", bin.toLocal8Bit() + ":" + qgetenv("PATH"));

        m_starting.reset(new Listener(rimoUsbHandler::UpdateStarting));
        m_succeeded.reset(new Listener(rimoUsbHandler::UpdateSucceeded));
        m_failed.reset(new Listener(rimoUsbHandler::UpdateFailed));
        m_external.reset(new Listener(rimoUsbHandler::ExternalUsbNotify));
        QVERIFY(m_starting->listening() && m_external->listening());
        QVERIFY(rimoUsbHandler::instance());
    }

    void init()
    {
        QFile::remove(runDir() + "/update-args");
        QFile::remove(runDir() + "/update-mode");
        QFile::remove(runDir() + "/update-go");
        for (Listener* l :
             {m_starting.get(), m_succeeded.get(), m_failed.get(), m_external.get()}) {
            l->clear();
        }
        // The listeners have closed every connection of the previous case:
        // no record of them may stay behind.
        QTRY_COMPARE_WITH_TIMEOUT(rimoUsbHandler::instance()->connectionCount(), 0, 2000);
    }

    void cleanupTestCase() { m_bus.stop(); }

    void updateStick_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("outcome"); // "", "succeeded", "failed"

        QTest::newRow("only dtb.sha256") << QStringList{"dtb.sha256"} << "ok"
                                         << "succeeded";
        QTest::newRow("rootfs in capitals") << QStringList{"ROOTFS-RIMO.SHA256"} << "ok"
                                            << "succeeded";
        QTest::newRow("u-boot") << QStringList{"u-boot.sha256", "readme.txt"} << "ok"
                                << "succeeded";
        QTest::newRow("uImage") << QStringList{"uImage.sha256"} << "ok"
                                << "succeeded";
        QTest::newRow("penv") << QStringList{"penv.sha256"} << "ok"
                              << "succeeded";
        QTest::newRow("exit code 3") << QStringList{"dtb.sha256"} << "fail"
                                     << "failed";
        QTest::newRow("script crashes") << QStringList{"uImage.sha256"} << "crash"
                                        << "failed";
        QTest::newRow("checksum only in a subfolder") << QStringList{"update/dtb.sha256"} << "ok"
                                                      << "";
        QTest::newRow("no update files") << QStringList{"music/a.mp3", "rootfs.sha256"} << "ok"
                                         << "";
    }

    void updateStick()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, mode);
        QFETCH(QString, outcome);
        writeFile(runDir() + "/update-mode", mode.toUtf8());

        const QString root = plugStick(files);
        QVERIFY(!root.isEmpty());
        // Every mounted stick is offered to the external GUI, update or not.
        QTRY_COMPARE_WITH_TIMEOUT(m_external->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_external->payload(0), root.toUtf8(), 2000);

        if (outcome.isEmpty()) {
            QTest::qWait(200);
            QCOMPARE(m_starting->connections.size(), 0);
            QCOMPARE(updateArgs(), QString());
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_starting->connections.size(), 1, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(m_starting->payload(0), root.toUtf8(), 2000);
        Listener* result = outcome == "succeeded" ? m_succeeded.get() : m_failed.get();
        Listener* other = outcome == "succeeded" ? m_failed.get() : m_succeeded.get();
        QTRY_COMPARE_WITH_TIMEOUT(result->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(result->payload(0), root.toUtf8(), 2000);
        QCOMPARE(other->connections.size(), 0);
        QCOMPARE(updateArgs(), "-d " + QDir(root).absolutePath() + "\n");
    }

    // A second update stick while the script runs is announced as starting,
    // but no second script runs and the result names the first stick.
    void secondStickDuringUpdate()
    {
        writeFile(runDir() + "/update-mode", "wait");
        const QString first = plugStick({"dtb.sha256"});
        QTRY_COMPARE_WITH_TIMEOUT(m_starting->connections.size(), 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!updateArgs().isEmpty(), 2000);

        const QString second = plugStick({"uImage.sha256"});
        QTRY_COMPARE_WITH_TIMEOUT(m_starting->connections.size(), 2, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_starting->payload(1), second.toUtf8(), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(m_external->connections.size(), 2, 2000);

        writeFile(runDir() + "/update-go", "");
        QTRY_COMPARE_WITH_TIMEOUT(m_succeeded->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_succeeded->payload(0), first.toUtf8(), 2000);
        QCOMPARE(updateArgs(), "-d " + first + "\n");
    }

    // A script that cannot be started leaves the GUI with the starting
    // notification only; the next update stick starts the script again.
    void scriptThatCannotStart()
    {
        writeFile(runDir() + "/update-mode", "ok");
        const QString script = vantoRoot() + "/bin/systemupdate.sh";
        QVERIFY(QFile::rename(script, script + ".off"));
        QVERIFY(!plugStick({"dtb.sha256"}).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(m_starting->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_external->connections.size(), 1, 2000);
        QTest::qWait(300);
        QCOMPARE(m_succeeded->connections.size(), 0);
        QCOMPARE(m_failed->connections.size(), 0);
        QCOMPARE(updateArgs(), QString());

        QVERIFY(QFile::rename(script + ".off", script));
        const QString second = plugStick({"dtb.sha256"});
        QTRY_COMPARE_WITH_TIMEOUT(m_succeeded->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_succeeded->payload(0), second.toUtf8(), 2000);
        QCOMPARE(updateArgs(), "-d " + second + "\n");
    }

    // Nobody listens for the start: the update runs all the same.
    void updateWithoutStartingListener()
    {
        writeFile(runDir() + "/update-mode", "ok");
        m_starting.reset();
        const QString root = plugStick({"penv.sha256"});
        QTRY_COMPARE_WITH_TIMEOUT(m_succeeded->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_succeeded->payload(0), root.toUtf8(), 2000);
        QCOMPARE(updateArgs(), "-d " + root + "\n");
        m_starting.reset(new Listener(rimoUsbHandler::UpdateStarting));
        QVERIFY(m_starting->listening());
    }

    // The listener's reply is the stick's root path: exactly that unmounts
    // it; a trailing newline does not.
    void replyUnmounts_data()
    {
        QTest::addColumn<bool>("newline");
        QTest::addColumn<bool>("zeroTerminated");
        QTest::newRow("exact root path") << false << false;
        QTest::newRow("root path, then a zero byte") << false << true;
        QTest::newRow("trailing newline") << true << false;
    }

    void replyUnmounts()
    {
        QFETCH(bool, newline);
        QFETCH(bool, zeroTerminated);
        const QString root = plugStick({"photo.jpg"});
        const QString object = PrivateSystemBus::blockPath(QStringLiteral("sd%1").arg(m_sticks));
        QTRY_COMPARE_WITH_TIMEOUT(m_external->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_external->payload(0), root.toUtf8(), 2000);
        const int before = rimoUsbHandler::instance()->connectionCount();

        QByteArray reply = root.toUtf8();
        if (newline) {
            reply += '\n';
        }
        if (zeroTerminated) {
            reply += QByteArray("\0junk", 5);
        }
        QLocalSocket* socket = m_external->connections.at(0);
        socket->write(reply);
        socket->flush();

        const QByteArray unmounted = "Unmounted " + object.toUtf8();
        if (newline) {
            QTest::qWait(300);
            QVERIFY(!m_bus.udisksLog().contains(unmounted));
            QCOMPARE(socket->state(), QLocalSocket::ConnectedState);
            QCOMPARE(rimoUsbHandler::instance()->connectionCount(), before);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.udisksLog().contains(unmounted), 3000);
        // The handler closes its end afterwards, and the record goes with it.
        QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QLocalSocket::UnconnectedState, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(rimoUsbHandler::instance()->connectionCount(), before - 1, 2000);
    }

    // A listener that closes its connection frees the record of that
    // connection, once; the record of another listener about the same stick
    // stays until that one closes too.
    void closedConnectionFreesItsRecord()
    {
        writeFile(runDir() + "/update-mode", "ok");
        const int before = rimoUsbHandler::instance()->connectionCount();
        plugStick({"penv.sha256"});
        QTRY_COMPARE_WITH_TIMEOUT(m_succeeded->connections.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_external->connections.size(), 1, 2000);
        QCOMPARE(m_starting->connections.size(), 1);
        // starting, external and succeeded notifications
        QTRY_COMPARE_WITH_TIMEOUT(rimoUsbHandler::instance()->connectionCount(), before + 3, 2000);

        m_starting->connections.at(0)->disconnectFromServer();
        QTRY_COMPARE_WITH_TIMEOUT(rimoUsbHandler::instance()->connectionCount(), before + 2, 2000);
        QTest::qWait(100);
        QCOMPARE(rimoUsbHandler::instance()->connectionCount(), before + 2);

        m_external->connections.at(0)->disconnectFromServer();
        m_succeeded->connections.at(0)->disconnectFromServer();
        QTRY_COMPARE_WITH_TIMEOUT(rimoUsbHandler::instance()->connectionCount(), before, 2000);
    }

    void objectWithoutFilesystemIsNotMounted()
    {
        const QString name = QStringLiteral("sdz");
        QVERIFY(m_bus.addBlock(name, "/dev/sdz"));
        QVERIFY(m_bus.announce(name));
        const QByteArray getAll = "GetAll " + PrivateSystemBus::blockPath(name).toUtf8();
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.udisksLog().contains(getAll), 3000);
        QTest::qWait(200);
        QVERIFY(!m_bus.udisksLog().contains("Mount attempted on"));
        QCOMPARE(m_external->connections.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBrokerUsb)
#include "tst_brokerusb.moc"
