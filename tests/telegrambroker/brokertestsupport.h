#ifndef BROKERTESTSUPPORT_H
#define BROKERTESTSUPPORT_H

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QVariantList>

// The private system bus of tests/support with its UDisks2 and systemd
// doubles. Sets DBUS_SYSTEM_BUS_ADDRESS in this process's environment, so it
// must start before anything touches the system bus.
class PrivateSystemBus
{
public:
    bool start();
    void stop();
    ~PrivateSystemBus() { stop(); }

    QString dir() const { return m_dir; }
    QString address() const { return m_address; }
    // One line per call made on the doubles.
    QByteArray udisksLog() const;
    QByteArray systemdLog() const;
    int rebootCalls() const;

    // Calls on the UDisks2 double's mock interface; false on a D-Bus error.
    bool addFilesystem(const QString& name, const QString& device, const QString& mountDir,
                       const QString& uuid, bool mounted = false);
    bool addBlock(const QString& name, const QString& device);
    bool announce(const QString& name);
    bool removeObject(const QString& name);

    static QString blockPath(const QString& name);

private:
    QString m_dir;
    QString m_address;
    bool m_running = false;
};

// The daemon as a process; its merged output is collected for log checks.
class BrokerProcess
{
public:
    ~BrokerProcess() { stop(); }
    bool start();
    void stop();
    bool waitForLog(const QByteArray& text, int timeoutMs = 5000);
    QByteArray log();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

private:
    QProcess m_process;
    QByteArray m_log;
};

QString vantoRoot();
// Ends the test at once unless VANTO_ROOT names a private root: these tests
// create device links, unit files and "lcdenv" below it.
void requirePrivateRoot();

#endif // BROKERTESTSUPPORT_H
