#include "eventlog.h"

#include "paramrecord.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QtEndian>

namespace bussim {

namespace {
QString hexByte(uchar b)
{
    return QStringLiteral("0x%1").arg(b, 2, 16, QLatin1Char('0'));
}
} // namespace

bool EventLog::open(const QString& path, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        *error = m_file.errorString();
        return false;
    }
    return true;
}

void EventLog::close()
{
    m_file.close();
}

QJsonObject EventLog::describe(const QString& dir, const SimTelegram& t, int tid)
{
    QJsonObject o{{"ev", "telegram"},
                  {"dir", dir},
                  {"rcv", hexByte(t.receiver)},
                  {"snd", hexByte(t.sender)},
                  {"cmd", hexByte(t.command)},
                  {"tid", tid},
                  {"data", QString::fromLatin1(t.data.toHex())}};
    // Parameter requests, reports and writes carry the identifier first and,
    // when whole, the 28-byte record.
    const bool paramCommand = t.command == 0x09 || t.command == 0x89 || t.command == 0xA9;
    if (paramCommand && t.data.size() >= 2) {
        const quint16 id =
            qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(t.data.constData()));
        const bool special = id == 326 || (id >= 10100 && id <= 10199);
        if (t.data.size() >= ParamRecord::Size && !special)
            o.insert("param", ParamRecord::fromBytes(t.data).toJson());
        else
            o.insert("param", QJsonObject{{"id", id}});
    }
    return o;
}

void EventLog::telegram(const QString& dir, const SimTelegram& t, int tid, bool valid, bool handled)
{
    QJsonObject o = describe(dir, t, tid);
    if (!valid)
        o.insert("valid", false);
    if (!handled)
        o.insert("handled", false);
    write(o);
}

void EventLog::event(const QString& kind, const QJsonObject& details)
{
    QJsonObject o = details;
    o.insert("ev", kind);
    write(o);
}

void EventLog::write(QJsonObject object)
{
    if (!m_file.isOpen())
        return;
    object.insert("time", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    object.insert("ms", m_clock.elapsed());
    m_file.write(QJsonDocument(object).toJson(QJsonDocument::Compact));
    m_file.write("\n");
    m_file.flush();
}

} // namespace bussim
