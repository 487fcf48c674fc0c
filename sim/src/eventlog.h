#ifndef EVENTLOG_H
#define EVENTLOG_H

#include "simtelegram.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QString>

namespace bussim {

// JSON-lines log of every telegram received and sent and of the line events,
// one object a line, flushed at once so that tests can read it while the
// simulator runs.
class EventLog
{
public:
    EventLog() { m_clock.start(); }

    bool open(const QString& path, QString* error);
    void close();

    // dir: "rx" (from the panel), "tx" (sent), "drop" (held back by silence).
    void telegram(const QString& dir, const SimTelegram& telegram, int tid, bool valid = true,
                  bool handled = true);
    // Line and control events: "ack", "nak", "noack", "retry", "giveup", "flush", "control" …
    void event(const QString& kind, const QJsonObject& details = QJsonObject());

    // The JSON object of one telegram (without time), for tests and tools.
    static QJsonObject describe(const QString& dir, const SimTelegram& telegram, int tid);

private:
    void write(QJsonObject object);

    QFile m_file;
    QElapsedTimer m_clock;
};

} // namespace bussim

#endif // EVENTLOG_H
