// Program start against a stand-in broker: the appliance-type poll through
// the long-lived client, the first-arrival handler and the order in which
// the manager's send path and the initialisation come.
//
// Each scenario needs a fresh process (the start-up flags are process-wide);
// ctest runs the executable once per scenario.
#include "core/applicationcontroller.h"
#include "core/appstate.h"
#include "core/rimotelegramclient.h"
#include "core/startup.h"
#include "core/telegrammanager.h"
#include "fakebroker.h"

#include <vantoui/stylingcontroller.h>

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QTest>
#include <QtQml>

namespace {

const QByteArray GuiAddresses("\x00\x02\x06\x94", 4);

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// A parameter report datagram from the main control unit: 28-byte record.
QByteArray report(quint16 id, qint32 value, uchar tid = 9)
{
    telegram_param_def p;
    p.id = id;
    p.def = 0;
    p.value = value;
    return rimoTelegram(tid, 0x94, 0x08, 0x09, p.toBytes()).getTelegram() + char(tid);
}

struct Datagram
{
    uchar tid, receiver, command;
    QByteArray data;
};

Datagram parse(const QByteArray& d)
{
    const rimoTelegram t(uchar(d.at(d.size() - 1)), d.left(d.size() - 1));
    return {t.getTId(), t.receiverAddress(), t.command(), t.data()};
}

bool isPoll(const QByteArray& d)
{
    return d == StartUp::pollTelegram().getTelegram() + char(0);
}

const QList<int> InitialRequests = {10017, 10029, 10027, 10028, 101,   10037, 10016, 10011, 10048,
                                    10004, 10006, 10005, 10038, 10001, 10043, 10057, 10039, 10001};

// True when the initial requests appear, in order, among the datagrams.
bool containsInitialRequests(const QList<QByteArray>& datagrams)
{
    int at = 0;
    for (const QByteArray& d : datagrams) {
        const Datagram p = parse(d);
        if (p.receiver == 0x08 && p.command == 0x89 && p.data.size() == 2 &&
            at < InitialRequests.size() &&
            (quint8(p.data[0]) | (quint8(p.data[1]) << 8)) == InitialRequests[at])
            ++at;
    }
    return at == InitialRequests.size();
}

// True when a parameter request for id is among the datagrams.
bool requested(const QList<QByteArray>& datagrams, int id)
{
    for (const QByteArray& d : datagrams) {
        const Datagram p = parse(d);
        if (p.receiver == 0x08 && p.command == 0x89 && p.data.size() == 2 &&
            (quint8(p.data[0]) | (quint8(p.data[1]) << 8)) == id)
            return true;
    }
    return false;
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void applianceTypeAsFirstLongTelegram();
    void otherReportFirst();

private:
    void startProgram();

    FakeBroker* m_broker = nullptr;
    QQmlApplicationEngine* m_engine = nullptr;
    rimoTelegramClient* m_client = nullptr;
    StartUp* m_startUp = nullptr;
    QStringList m_decoded;
};

void TestStartUp::initTestCase()
{
    qmlRegisterType<EnumProviderClass>("Tq.Controller.EnumProvider", 1, 0, "EnumProviderClass");
    qRegisterMetaType<uint32_t>("uint32_t");
}

void TestStartUp::startProgram()
{
    m_broker = new FakeBroker(this);
    QVERIFY(m_broker->listen());
    m_engine = new QQmlApplicationEngine(this);
    m_engine->rootContext()->setContextProperty(QStringLiteral("StyleController"),
                                                VantoUi::StylingController::getInstance());
    m_client = new rimoTelegramClient(0x94, GuiAddresses, 8228, this);
    TelegramManager* manager = TelegramManager::instance();
    manager->setDecoders({[this](TelegramManager*, const rimoTelegram& t) {
                              m_decoded << QString::number(t.senderAddress(), 16);
                          },
                          nullptr, nullptr});
    m_startUp = new StartUp(m_engine, m_client, manager, QUrl("qrc:/qml/main.qml"), this);
    m_startUp->start();
}

void TestStartUp::applianceTypeAsFirstLongTelegram()
{
    startProgram();
    // The first poll goes out as soon as the broker has accepted us.
    QTRY_COMPARE_WITH_TIMEOUT(m_broker->datagrams.size(), 1, 500);
    QVERIFY(isPoll(m_broker->datagrams[0]));
    QCOMPARE(m_broker->datagrams[0].left(7), hex("08940300893827"));
    QTest::qWait(1100);
    // Two more polls, 500 ms apart; the manager's control-flag telegram
    // (due after 100 ms) did not reach the broker.
    QCOMPARE(m_broker->datagrams.size(), 3);
    for (const QByteArray& d : qAsConst(m_broker->datagrams))
        QVERIFY(isPoll(d));

    // A telegram with only 9 data bytes changes nothing.
    m_broker->sendToClient(
        rimoTelegram(4, 0x94, 0x08, 0x09, hex("112700000300000000")).getTelegram() + char(4));
    QTest::qWait(100);
    QVERIFY(!firstTelegramArrived);

    // The checksum scan of the (empty) root ends while the panel still waits
    // for the type; its result must not bring the controllers up early.
    QTRY_VERIFY_WITH_TIMEOUT(TelegramManager::instance()->crc32Known(), 5000);
    QVERIFY(ApplicationController::existingInstance() == nullptr);

    const int before = m_broker->datagrams.size();
    m_broker->sendToClient(report(10040, 2));
    QTRY_VERIFY_WITH_TIMEOUT(applianceTypeArrived, 500);
    QVERIFY(firstTelegramArrived);
    QCOMPARE(ApplicationController::instance()->deviceController().applianceType(),
             EnumProviderClass::CLINIC);
    // The initialisation's requests reach the broker, and so do the first
    // requests of the controllers (language, error and warning words).
    QTRY_VERIFY_WITH_TIMEOUT(containsInitialRequests(m_broker->datagrams.mid(before)), 1000);
    for (int id : {10036, 10051, 10052})
        QVERIFY2(requested(m_broker->datagrams.mid(before), id), qPrintable(QString::number(id)));
    // The scan's result reached the licence screen all the same.
    QCOMPARE(ApplicationController::instance()->softwareLicenseInfoController().crcHash(),
             QStringLiteral("fffffffc"));
    for (const QByteArray& d : m_broker->datagrams.mid(before))
        QVERIFY(!isPoll(d)); // and the poll stopped
    QTest::qWait(600);
    for (const QByteArray& d : m_broker->datagrams.mid(before))
        QVERIFY(!isPoll(d));
    // The report that carried the type went to the handler only; the next
    // telegram reaches the manager and its decoder.
    QVERIFY(m_decoded.isEmpty());
    m_broker->sendToClient(report(10017, 3));
    QTRY_COMPARE(m_decoded, QStringList{"8"});
    QTRY_COMPARE(ApplicationController::instance()->appState()->currentScreen(),
                 QStringLiteral("LoginView.qml"));
}

void TestStartUp::otherReportFirst()
{
    startProgram();
    QTRY_COMPARE_WITH_TIMEOUT(m_broker->datagrams.size(), 1, 500);

    // A long report of another parameter connects the send path only.
    m_broker->sendToClient(report(10017, 3));
    QTRY_VERIFY_WITH_TIMEOUT(firstTelegramArrived, 500);
    QVERIFY(!applianceTypeArrived);
    TelegramManager::instance()->requestMainControlParam(10001);
    QTRY_VERIFY(parse(m_broker->datagrams.last()).data == hex("1127"));
    const int before = m_broker->datagrams.size();
    QTest::qWait(600);
    bool polled = false;
    for (const QByteArray& d : m_broker->datagrams.mid(before))
        polled = polled || isPoll(d);
    QVERIFY(polled);              // still polling
    QVERIFY(m_decoded.isEmpty()); // and the manager still receives nothing
    QVERIFY(m_engine->rootObjects().isEmpty());
}

int main(int argc, char** argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
