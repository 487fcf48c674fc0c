// The rimo-bussim program as scripts use it: options, readiness line,
// ending by command or signal, and what it leaves behind.

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <csignal>

class TestBusSimProcess : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void helpListsOptionsAndCommands();
    void badOptionsEndWithCode2_data();
    void badOptionsEndWithCode2();
    void endsCleanly_data();
    void endsCleanly();
    void unusablePlacesAreReported();
    void sendWithoutSimulator();

private:
    QString path(const QString& rel) const { return m_root + rel; }
    bool startSim(QProcess& p, const QStringList& args);

    QString m_root;
};

void TestBusSimProcess::init()
{
    m_root = qEnvironmentVariable("VANTO_ROOT");
    QVERIFY2(!m_root.isEmpty(), "run through tests/run-isolated");
}

bool TestBusSimProcess::startSim(QProcess& p, const QStringList& args)
{
    p.setProgram(QStringLiteral(BUSSIM_PATH));
    p.setArguments(args);
    p.start();
    if (!p.waitForStarted(5000))
        return false;
    QElapsedTimer t;
    t.start();
    while (!p.canReadLine() && p.state() == QProcess::Running && t.elapsed() < 10000)
        p.waitForReadyRead(100);
    return p.readLine().trimmed() == "rimo-bussim: ready";
}

void TestBusSimProcess::helpListsOptionsAndCommands()
{
    QProcess p;
    p.start(QStringLiteral(BUSSIM_PATH), {"--help"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    const QString help = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* word : {"--dbm",         "--appliance", "--para-236",
                             "--para-424",    "--para-425",  "--log",
                             "--socket",      "--send",      "state N",
                             "param ID",      "report ID",   "errors BITS",
                             "warnings BITS", "history",     "nfc sessions|minutes",
                             "coin",          "silence MS",  "fault noack|nak|garbage|corrupt",
                             "audio",         "quit"})
        QVERIFY2(help.contains(QLatin1String(word)), word);
    // Nothing was created.
    QVERIFY(!QFileInfo::exists(path("/dev/ttymxc1")));
}

void TestBusSimProcess::badOptionsEndWithCode2_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown") << QStringList{"--colour", "blue"};
    QTest::newRow("dbm range") << QStringList{"--dbm", "7"};
    QTest::newRow("appliance text") << QStringList{"--appliance", "clinic"};
    QTest::newRow("missing value") << QStringList{"--log"};
}

void TestBusSimProcess::badOptionsEndWithCode2()
{
    QFETCH(QStringList, args);
    QProcess p;
    p.start(QStringLiteral(BUSSIM_PATH), args);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(!p.readAllStandardError().isEmpty());
    QVERIFY(!QFileInfo::exists(path("/dev/ttymxc1")));
}

void TestBusSimProcess::endsCleanly_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("quit command") << "quit";
    QTest::newRow("SIGTERM") << "term";
    QTest::newRow("SIGINT") << "int";
}

void TestBusSimProcess::endsCleanly()
{
    QFETCH(QString, how);
    QProcess p;
    QVERIFY(startSim(p, {}));
    QVERIFY(QFileInfo(path("/dev/ttymxc1")).isSymLink());
    QVERIFY(QFileInfo::exists(path("/run/rimo-bussim.sock")));
    QVERIFY(QFileInfo::exists(path("/run/rimo-bussim.log")));
    if (how == "quit") {
        QProcess client;
        client.start(QStringLiteral(BUSSIM_PATH), {"--send", "quit"});
        QVERIFY(client.waitForFinished(5000));
        QCOMPARE(client.readAllStandardOutput().trimmed(), QByteArray("ok bye"));
        QCOMPARE(client.exitCode(), 0);
    } else {
        ::kill(pid_t(p.processId()), how == "term" ? SIGTERM : SIGINT);
    }
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(!QFileInfo(path("/dev/ttymxc1")).isSymLink());
    QVERIFY(!QFileInfo::exists(path("/run/rimo-bussim.sock")));
    // The log stays for whoever wants to read it.
    QVERIFY(QFileInfo(path("/run/rimo-bussim.log")).size() > 0);
}

void TestBusSimProcess::unusablePlacesAreReported()
{
    // The log cannot be written: exit 1 with a reason, and no link is left.
    QProcess p;
    p.start(QStringLiteral(BUSSIM_PATH), {"--log", "/proc/no/such/place.log"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(p.readAllStandardError().contains("log"));
    QVERIFY(!QFileInfo(path("/dev/ttymxc1")).isSymLink());
    // The socket cannot be created: the same, and the link made before it is
    // removed again.
    QProcess q;
    q.start(QStringLiteral(BUSSIM_PATH), {"--socket", "/proc/no/such/place.sock"});
    QVERIFY(q.waitForFinished(5000));
    QCOMPARE(q.exitCode(), 1);
    QVERIFY(!QFileInfo(path("/dev/ttymxc1")).isSymLink());
}

void TestBusSimProcess::sendWithoutSimulator()
{
    QProcess client;
    client.start(QStringLiteral(BUSSIM_PATH), {"--send", "status"});
    QVERIFY(client.waitForFinished(5000));
    QCOMPARE(client.exitCode(), 3);
}

QTEST_GUILESS_MAIN(TestBusSimProcess)
#include "tst_bussimprocess.moc"
