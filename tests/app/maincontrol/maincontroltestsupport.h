#pragma once

#include "core/telegrammanager.h"
#include "types/telegramparamdef.h"

#include <rimotelegram.h>

#include <QByteArray>
#include <QList>
#include <QMetaMethod>
#include <QObject>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <memory>
#include <vector>

// One telegram the telegram manager emitted.
struct SentTelegram
{
    uchar receiver = 0;
    uchar sender = 0;
    uchar command = 0;
    QByteArray data;
};

// Records everything the telegram manager emits while it exists.
class TelegramCapture
{
public:
    TelegramCapture()
    {
        m_connection = QObject::connect(
            TelegramManager::instance(), &TelegramManager::telegramToSend, [this](rimoTelegram& t) {
                m_sent.append({t.receiverAddress(), t.senderAddress(), t.command(), t.data()});
            });
    }
    ~TelegramCapture() { QObject::disconnect(m_connection); }
    TelegramCapture(const TelegramCapture&) = delete;
    TelegramCapture& operator=(const TelegramCapture&) = delete;

    // The manager sends its start-up control-flag telegram 100 ms after its
    // creation; wait for it so it cannot land inside a capture.
    static void settleStartup()
    {
        TelegramManager* m = TelegramManager::instance();
        QTRY_VERIFY_WITH_TIMEOUT(m->controlFlags() != TelegramManager::ControlFlagsUnsent, 5000);
    }

    const QList<SentTelegram>& sent() const { return m_sent; }
    void clear() { m_sent.clear(); }

private:
    QMetaObject::Connection m_connection;
    QList<SentTelegram> m_sent;
};

// Collects the program's log lines (the messages only).
class LogCapture
{
public:
    LogCapture()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&LogCapture::handler);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& lines() const { return m_lines; }
    bool contains(const QString& line) const { return m_lines.contains(line); }
    bool anyStartsWith(const QString& prefix) const
    {
        for (const QString& l : m_lines)
            if (l.startsWith(prefix))
                return true;
        return false;
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
    {
        if (s_current) {
            s_current->m_lines.append(msg);
            if (type >= QtWarningMsg && s_current->m_previous)
                s_current->m_previous(type, ctx, msg);
        }
    }

    static inline LogCapture* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    QStringList m_lines;
};

// Watches every signal of a set of named objects, so a test can say which
// signals moved ("device::loginTimeoutChanged") and that nothing else did.
class SignalWatch
{
public:
    void watch(const QString& name, QObject* object)
    {
        const QMetaObject* mo = object->metaObject();
        for (int i = QObject::staticMetaObject.methodCount(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            if (m.methodType() != QMetaMethod::Signal)
                continue;
            auto spy = std::make_unique<QSignalSpy>(object, m);
            if (!spy->isValid())
                continue;
            m_entries.push_back(
                {name + QLatin1String("::") + QString::fromLatin1(m.name()), std::move(spy)});
        }
    }

    // Names of the signals that fired, each once, in watch order.
    QStringList fired() const
    {
        QStringList out;
        for (const auto& e : m_entries)
            if (e.spy->count() > 0 && !out.contains(e.name))
                out.append(e.name);
        return out;
    }

    int count(const QString& name) const
    {
        int n = 0;
        for (const auto& e : m_entries)
            if (e.name == name)
                n += e.spy->count();
        return n;
    }

private:
    struct Entry
    {
        QString name;
        std::unique_ptr<QSignalSpy> spy;
    };
    std::vector<Entry> m_entries;
};

// A report telegram's data: the record with its identifier in front.
inline QByteArray reportData(const telegram_param_def& record)
{
    return record.toBytes();
}

// A record whose every field carries a distinct value, so a test sees which
// field a write replaced and that the others were kept.
inline telegram_param_def distinctRecord(quint16 id)
{
    telegram_param_def r;
    r.id = id;
    r.def = 0x0102;
    r.value = 0x11223344;
    r.min = -5;
    r.max = 600;
    r.step = 3;
    r.divider = 10;
    r.type = 5;
    r.action = 0;
    r.message = 0;
    r.message2 = 7;
    r.current = 0x55667788;
    return r;
}

// The wire bytes of a record written out by hand (independent of the
// record's own encoder): little-endian fields at their fixed offsets.
inline QByteArray recordBytes(quint16 id, quint16 def, qint32 value, qint32 min, qint32 max,
                              quint16 step, quint16 divider, quint8 type, quint8 action,
                              quint8 message, quint8 message2, qint32 current)
{
    QByteArray b(28, '\0');
    auto put = [&b](int pos, quint32 v, int size) {
        for (int i = 0; i < size; ++i)
            b[pos + i] = char((v >> (8 * i)) & 0xFF);
    };
    put(0, id, 2);
    put(2, def, 2);
    put(4, quint32(value), 4);
    put(8, quint32(min), 4);
    put(12, quint32(max), 4);
    put(16, step, 2);
    put(18, divider, 2);
    put(20, type, 1);
    put(21, action, 1);
    put(22, message, 1);
    put(23, message2, 1);
    put(24, quint32(current), 4);
    return b;
}
