// Plain decisions of the broker: judging registration requests (also when
// they arrive in pieces) and reconciling the configuration answers with
// "lcdenv".
#include "rimodisplayconfiguration.h"
#include "rimopendingrequest.h"
#include "rimoregistrationrequest.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using Answers = QList<QPair<int, int>>; // paragraph, value byte
using Keys = QMap<QString, QString>;
Q_DECLARE_METATYPE(Answers)
Q_DECLARE_METATYPE(Keys)

class TestBrokerLogic : public QObject
{
    Q_OBJECT

private slots:
    void judge_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("final");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("receivers");

        using R = RimoRegistrationRequest;
        const QByteArray none;
        QTest::newRow("nothing yet") << none << false << int(R::Incomplete) << 0 << 0 << none;
        QTest::newRow("nothing at the end") << none << true << int(R::Garbage) << 0 << 0 << none;
        QTest::newRow("00 alone, open")
            << QByteArray::fromHex("00") << false << int(R::Incomplete) << 0 << 0 << none;
        QTest::newRow("00 alone, final")
            << QByteArray::fromHex("00") << true << int(R::Garbage) << 0 << 0 << none;
        QTest::newRow("00 20") << QByteArray::fromHex("0020") << false << int(R::Unregister) << 0x20
                               << 0 << none;
        QTest::newRow("00 20 tail ignored")
            << QByteArray::fromHex("002099aa") << true << int(R::Unregister) << 0x20 << 0 << none;
        QTest::newRow("01 20 1F open")
            << QByteArray::fromHex("01201f") << false << int(R::Incomplete) << 0 << 0 << none;
        QTest::newRow("01 20 1F final")
            << QByteArray::fromHex("01201f") << true << int(R::Garbage) << 0 << 0 << none;
        QTest::newRow("register two receivers")
            << QByteArray::fromHex("01201f902122") << true << int(R::Register) << 0x20 << 8080
            << QByteArray::fromHex("2122");
        QTest::newRow("register no receivers")
            << QByteArray::fromHex("0194ffff") << true << int(R::Register) << 0x94 << 65535 << none;
        QTest::newRow("type 02") << QByteArray::fromHex("02201f90") << false << int(R::Garbage) << 0
                                 << 0 << none;
        QTest::newRow("type ff") << QByteArray::fromHex("ff") << false << int(R::Garbage) << 0 << 0
                                 << none;
    }

    void judge()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, final);
        QFETCH(int, kind);
        QFETCH(int, address);
        QFETCH(int, port);
        QFETCH(QByteArray, receivers);
        const auto r = RimoRegistrationRequest::judge(bytes, final);
        QCOMPARE(int(r.kind), kind);
        if (r.kind == RimoRegistrationRequest::Register ||
            r.kind == RimoRegistrationRequest::Unregister) {
            QCOMPARE(int(r.address), address);
        }
        if (r.kind == RimoRegistrationRequest::Register) {
            QCOMPARE(int(r.port), port);
            QCOMPARE(r.receiverAddresses, receivers);
            QCOMPARE(r.mayGrow, !final);
        }
    }

    // A request written in two pieces is collected into one registration; a
    // connection closed after "01 20 1F" is judged as garbage at once, not
    // after the 30 s limit.
    void collectsPieces_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<bool>("closeAfter");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("bytes");

        using R = RimoRegistrationRequest;
        QTest::newRow("one write")
            << QList<QByteArray>{QByteArray::fromHex("01201f902122")} << false << int(R::Register)
            << QByteArray::fromHex("01201f902122");
        QTest::newRow("split header")
            << QList<QByteArray>{QByteArray::fromHex("0120"), QByteArray::fromHex("1f90")} << false
            << int(R::Register) << QByteArray::fromHex("01201f90");
        QTest::newRow("split receivers")
            << QList<QByteArray>{QByteArray::fromHex("01201f90"), QByteArray::fromHex("2122")}
            << false << int(R::Register) << QByteArray::fromHex("01201f902122");
        QTest::newRow("short then closed")
            << QList<QByteArray>{QByteArray::fromHex("01201f")} << true << int(R::Garbage)
            << QByteArray::fromHex("01201f");
        QTest::newRow("nothing then closed")
            << QList<QByteArray>{} << true << int(R::Garbage) << QByteArray();
        QTest::newRow("unregister") << QList<QByteArray>{QByteArray::fromHex("0020")} << false
                                    << int(R::Unregister) << QByteArray::fromHex("0020");
    }

    void collectsPieces()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(bool, closeAfter);
        QFETCH(int, kind);
        QFETCH(QByteArray, bytes);

        QLocalServer server;
        QVERIFY(server.listen(QStringLiteral("pendingRequestTest")));
        QLocalSocket client;
        client.connectToServer(QStringLiteral("pendingRequestTest"));
        QVERIFY(client.waitForConnected(1000));
        QVERIFY(server.waitForNewConnection(1000));
        QLocalSocket* accepted = server.nextPendingConnection();

        rimoPendingRequest request(accepted);
        int reports = 0;
        RimoRegistrationRequest result;
        QByteArray seen;
        connect(&request, &rimoPendingRequest::requestJudged, this,
                [&](rimoPendingRequest* r, const RimoRegistrationRequest& judged) {
                    ++reports;
                    result = judged;
                    seen = r->bytes();
                });

        QElapsedTimer clock;
        clock.start();
        for (const QByteArray& piece : pieces) {
            client.write(piece);
            client.flush();
            // A gap shorter than the grace, as a kernel-split write would have.
            QTest::qWait(rimoPendingRequest::GraceMs / 4);
        }
        if (closeAfter) {
            client.disconnectFromServer();
        }
        QTRY_COMPARE_WITH_TIMEOUT(reports, 1, 2000);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(int(result.kind), kind);
        QCOMPARE(seen, bytes);
        if (result.kind == RimoRegistrationRequest::Register) {
            QCOMPARE(result.port, quint16(0x1f90));
        }
        // Late bytes after the judgement change nothing.
        if (!closeAfter) {
            client.write(QByteArray::fromHex("55"));
            client.flush();
            QTest::qWait(rimoPendingRequest::GraceMs * 2);
        }
        QCOMPARE(reports, 1);
    }

    void configuration_data()
    {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<int>("dbm");
        QTest::addColumn<Keys>("stored");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<Keys>("expected");

        const Keys dualStd{
            {"displayVariant", "100"}, {"dualdisplay", "1"}, {"disp0", "ET1010"},
            {"disp2", "ET1010"},       {"fbcon", ""},        {"disp0_lvdsmode", "spwg"},
            {"disp2_lvdsmode", "spwg"}};
        const Keys defaults{
            {"displayVariant", "100"}, {"dualdisplay", "0"}, {"disp0", "ET1010"},
            {"disp2", "ET1010"},       {"fbcon", ""},        {"disp0_lvdsmode", "spwg"},
            {"disp2_lvdsmode", "spwg"}};
        const auto with = [](Keys k, const Keys& over) {
            for (auto it = over.cbegin(); it != over.cend(); ++it) {
                k[it.key()] = it.value();
            }
            return k;
        };

        QTest::newRow("dual 100/100, empty file")
            << Answers{{236, 1}, {424, 100}, {425, 100}} << 1 << Keys{} << true << dualStd;
        QTest::newRow("dual 100/100, file agrees")
            << Answers{{236, 1}, {424, 100}, {425, 100}} << 1 << dualStd << false << dualStd;
        QTest::newRow("dual, second display small")
            << Answers{{236, 1}, {424, 100}, {425, 1}} << 1 << dualStd << true
            << with(dualStd, {{"disp2", "ET0700"}, {"disp2_lvdsmode", "jeida"}});
        QTest::newRow("dual, first display small")
            << Answers{{236, 1}, {424, 1}, {425, 100}} << 2 << dualStd << true
            << with(dualStd, {{"disp0", "ET0700"}, {"disp0_lvdsmode", "jeida"}});

        const Keys v101{
            {"displayVariant", "101"}, {"dualdisplay", "1"}, {"disp0", "ET0700"},
            {"disp2", "ET1010"},       {"fbcon", ""},        {"disp0_lvdsmode", "jeida"},
            {"disp2_lvdsmode", "spwg"}};
        QTest::newRow("single v101 dbm1, new variant forces dualdisplay 1")
            << Answers{{236, 0}, {424, 1}, {425, 101}} << 1 << defaults << true << v101;
        QTest::newRow("single v101, differing dualdisplay alone is no change")
            << Answers{{236, 0}, {424, 1}, {425, 101}} << 1 << v101 << false << v101;
        QTest::newRow("single v102 dbm1") << Answers{{236, 0}, {424, 1}, {425, 102}} << 1
                                          << with(v101, {{"displayVariant", "102"}}) << false
                                          << with(v101, {{"displayVariant", "102"}});
        QTest::newRow("single v102 on dbm2 falls back to 100")
            << Answers{{236, 0}, {424, 1}, {425, 102}} << 2
            << with(v101, {{"displayVariant", "100"}, {"dualdisplay", "0"}}) << false
            << with(v101, {{"displayVariant", "100"}, {"dualdisplay", "0"}});
        QTest::newRow("single v100 dbm1 makes the first display large")
            << Answers{{236, 0}, {424, 1}, {425, 100}} << 1 << defaults << false << defaults;
        QTest::newRow("single v100 dbm2 keeps the first display small")
            << Answers{{236, 0}, {424, 1}, {425, 100}} << 2 << defaults << true
            << with(defaults, {{"disp0", "ET0700"}, {"disp0_lvdsmode", "jeida"}});
        QTest::newRow("v100, stored dualdisplay differs")
            << Answers{{236, 0}, {424, 1}, {425, 100}} << 1
            << with(defaults, {{"dualdisplay", "1"}}) << true << defaults;
        QTest::newRow("stored variant differs: dualdisplay forced to 1")
            << Answers{{236, 0}, {424, 1}, {425, 100}} << 1
            << with(defaults, {{"displayVariant", "101"}}) << true
            << with(defaults, {{"dualdisplay", "1"}});
        QTest::newRow("non-empty fbcon is emptied")
            << Answers{} << 1 << with(defaults, {{"fbcon", "1"}}) << true << defaults;
        QTest::newRow("panel names compare case-sensitively")
            << Answers{} << 1 << with(defaults, {{"disp0", "et1010"}}) << true << defaults;
        QTest::newRow("no answers, file holds the defaults")
            << Answers{} << 1 << defaults << false << defaults;
        QTest::newRow("no answers, empty file")
            << Answers{} << 1 << Keys{} << true << with(defaults, {{"dualdisplay", "1"}});
        QTest::newRow("unknown paragraph ignored")
            << Answers{{237, 1}, {100, 1}} << 1 << defaults << false << defaults;
    }

    void configuration()
    {
        QFETCH(Answers, answers);
        QFETCH(int, dbm);
        QFETCH(Keys, stored);
        QFETCH(bool, changed);
        QFETCH(Keys, expected);

        QTemporaryDir dir;
        const QString path = dir.filePath("lcdenv");
        {
            QSettings file(path, QSettings::IniFormat);
            for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
                file.setValue(it.key(), it.value());
            }
        }
        RimoDisplayConfiguration config;
        int flags = 0;
        for (const auto& answer : answers) {
            const bool known =
                config.applyParagraph(quint16(answer.first), uchar(answer.second), uchar(dbm));
            QCOMPARE(known, answer.first == 236 || answer.first == 424 || answer.first == 425);
            flags |= answer.first == 236   ? 1
                     : answer.first == 424 ? 2
                     : answer.first == 425 ? 4
                                           : 0;
        }
        QCOMPARE(config.paragraphFlags, flags);
        {
            QSettings file(path, QSettings::IniFormat);
            QCOMPARE(config.updateLcdenv(file), changed);
        }
        QSettings result(path, QSettings::IniFormat);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QVERIFY2(result.contains(it.key()) || it.value().isEmpty(), qPrintable(it.key()));
            QCOMPARE(result.value(it.key()).toString(), it.value());
        }
    }
};

QTEST_GUILESS_MAIN(TestBrokerLogic)
#include "tst_brokerlogic.moc"
