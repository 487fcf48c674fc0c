#include "commandinterpreter.h"

#include "audioboard.h"
#include "maincontrolunit.h"
#include "simoptions.h"

#include <QRegularExpression>

namespace bussim {

namespace {
QString ok(const QString& text = QString())
{
    return text.isEmpty() ? QStringLiteral("ok") : QStringLiteral("ok ") + text;
}
QString fail(const QString& reason)
{
    // Echoed input may hold anything; the answer stays one printable line.
    QString clean = reason;
    for (QChar& c : clean)
        if (!c.isPrint())
            c = QLatin1Char('?');
    return QStringLiteral("error ") + clean;
}
} // namespace

CommandInterpreter::CommandInterpreter(MainControlUnit& unit, AudioBoard& audio, Hooks hooks)
    : m_unit(unit), m_audio(audio), m_hooks(std::move(hooks))
{}

bool CommandInterpreter::parseNumber(const QString& text, qint64 lo, qint64 hi, qint64* out)
{
    bool okay = false;
    qint64 v = 0;
    QString t = text;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t = t.mid(1);
    }
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = t.mid(2).toLongLong(&okay, 16);
    else if (!t.isEmpty() && t.at(0).isDigit())
        v = t.toLongLong(&okay, 10);
    if (!okay)
        return false;
    if (negative)
        v = -v;
    if (v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

QString CommandInterpreter::execute(const QString& line)
{
    if (line.size() > MaxLineLength)
        return fail(QStringLiteral("line too long"));
    const QString trimmed = line.trimmed();
    const QStringList args =
        trimmed.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (args.isEmpty())
        return fail(QStringLiteral("empty command"));
    const QString cmd = args.at(0).toLower();
    QString error;
    qint64 a = 0, b = 0, c = 0, d = 0;

    if (cmd == QLatin1String("help"))
        return ok(QStringLiteral("state param report errors warnings history nfc coin silence "
                                 "fault audio bluetooth status help quit"));
    if (cmd == QLatin1String("status")) {
        if (args.size() != 1)
            return fail(QStringLiteral("usage: status"));
        return ok(m_unit.statusLine() + QStringLiteral(" audio=%1/%2/%3")
                                            .arg(m_audio.source())
                                            .arg(m_audio.folderNumber())
                                            .arg(m_audio.volume()));
    }
    if (cmd == QLatin1String("quit")) {
        if (m_hooks.quit)
            m_hooks.quit();
        return ok(QStringLiteral("bye"));
    }
    if (cmd == QLatin1String("state")) {
        if (args.size() != 2 || !parseNumber(args.at(1), 0, 24, &a))
            return fail(QStringLiteral("usage: state N (0..24)"));
        if (!m_unit.forceState(int(a), &error))
            return fail(error);
        return ok(QStringLiteral("state %1").arg(a));
    }
    if (cmd == QLatin1String("param"))
        return param(args);
    if (cmd == QLatin1String("report")) {
        if (args.size() != 2 || !parseNumber(args.at(1), 0, 65535, &a))
            return fail(QStringLiteral("usage: report ID"));
        if (!m_unit.reportNow(quint16(a), &error))
            return fail(error);
        return ok(QStringLiteral("reported %1").arg(a));
    }
    if (cmd == QLatin1String("errors") || cmd == QLatin1String("warnings")) {
        if (args.size() != 2 || !parseNumber(args.at(1), 0, 0xFFFFFFFFLL, &a))
            return fail(QStringLiteral("usage: %1 BITS").arg(cmd));
        if (cmd == QLatin1String("errors"))
            m_unit.setErrors(qint32(quint32(a)));
        else
            m_unit.setWarnings(qint32(quint32(a)));
        return ok(QStringLiteral("%1 0x%2").arg(cmd).arg(quint32(a), 0, 16));
    }
    if (cmd == QLatin1String("history")) {
        if (args.size() != 5 || !parseNumber(args.at(1), 0, 31, &a) ||
            !parseNumber(args.at(2), -2147483648LL, 2147483647LL, &b) ||
            !parseNumber(args.at(3), 0, 255, &c) || !parseNumber(args.at(4), 0, 255, &d))
            return fail(QStringLiteral("usage: history INDEX(0..31) ERROR STATE ACTIVE"));
        if (!m_unit.setHistory(int(a), qint32(b), int(c), int(d), &error))
            return fail(error);
        return ok(QStringLiteral("history %1").arg(a));
    }
    if (cmd == QLatin1String("nfc")) {
        const bool shapeOk =
            (args.size() == 3 || (args.size() == 4 && args.at(3) == QLatin1String("program"))) &&
            (args.at(1) == QLatin1String("sessions") || args.at(1) == QLatin1String("minutes"));
        if (!shapeOk || !parseNumber(args.at(2), 0, 65534, &a))
            return fail(QStringLiteral("usage: nfc sessions|minutes N [program]"));
        if (!m_unit.presentCard(args.at(1) == QLatin1String("minutes"), qint32(a), args.size() == 4,
                                &error))
            return fail(error);
        return ok(QStringLiteral("card %1 %2").arg(args.at(1)).arg(a));
    }
    if (cmd == QLatin1String("coin")) {
        if (args.size() != 1)
            return fail(QStringLiteral("usage: coin"));
        if (!m_unit.insertCoin(&error))
            return fail(error);
        return ok(QStringLiteral("coin"));
    }
    if (cmd == QLatin1String("silence")) {
        if (args.size() != 2 || !parseNumber(args.at(1), 0, 3600000, &a))
            return fail(QStringLiteral("usage: silence MS (0..3600000)"));
        if (m_hooks.silence)
            m_hooks.silence(int(a));
        return ok(QStringLiteral("silence %1").arg(a));
    }
    if (cmd == QLatin1String("fault")) {
        static const QStringList kinds{QStringLiteral("noack"), QStringLiteral("nak"),
                                       QStringLiteral("garbage"), QStringLiteral("corrupt")};
        const int kind = args.size() == 3 ? kinds.indexOf(args.at(1).toLower()) : -1;
        if (kind < 0 || !parseNumber(args.at(2), 0, 1000, &a))
            return fail(QStringLiteral("usage: fault noack|nak|garbage|corrupt N (0..1000)"));
        if (m_hooks.fault)
            m_hooks.fault(PeerLink::Fault(kind), int(a));
        return ok(QStringLiteral("fault %1 %2").arg(kinds.at(kind)).arg(a));
    }
    if (cmd == QLatin1String("audio")) {
        const int at = trimmed.indexOf(QRegularExpression(QStringLiteral("\\s")));
        return audio(args, at < 0 ? QString() : trimmed.mid(at).trimmed());
    }
    if (cmd == QLatin1String("bluetooth")) {
        if (args.size() != 2 || !parseNumber(args.at(1), 0, 6, &a))
            return fail(QStringLiteral("usage: bluetooth N (0 off, 1 active, 2 paired, 6 stream)"));
        m_unit.setBluetoothState(int(a));
        return ok(QStringLiteral("bluetooth %1").arg(a));
    }
    return fail(QStringLiteral("unknown command %1").arg(args.at(0).left(40)));
}

QString CommandInterpreter::param(const QStringList& args)
{
    qint64 id = 0;
    if (args.size() < 3 || !parseNumber(args.at(1), 0, 65535, &id))
        return fail(QStringLiteral("usage: param ID field=value ..."));
    if (!m_unit.params().contains(quint16(id)))
        return fail(QStringLiteral("unknown parameter %1").arg(id));
    // Check every field first: a bad one changes nothing.
    ParamRecord r = m_unit.params().record(quint16(id));
    for (int i = 2; i < args.size(); ++i) {
        const int eq = args.at(i).indexOf(QLatin1Char('='));
        if (eq <= 0)
            return fail(QStringLiteral("expected field=value, got %1").arg(args.at(i).left(40)));
        const QString field = args.at(i).left(eq).toLower();
        const QString text = args.at(i).mid(eq + 1);
        qint64 v = 0;
        auto num = [&](qint64 lo, qint64 hi) { return parseNumber(text, lo, hi, &v); };
        const qint64 i32lo = -2147483648LL, i32hi = 2147483647LL;
        bool good = true;
        if (field == QLatin1String("value") && (good = num(i32lo, i32hi)))
            r.value = qint32(v);
        else if (field == QLatin1String("def") && (good = num(0, 65535)))
            r.def = quint16(v);
        else if (field == QLatin1String("min") && (good = num(i32lo, i32hi)))
            r.min = qint32(v);
        else if (field == QLatin1String("max") && (good = num(i32lo, i32hi)))
            r.max = qint32(v);
        else if (field == QLatin1String("step") && (good = num(0, 65535)))
            r.step = quint16(v);
        else if (field == QLatin1String("divider") && (good = num(0, 65535)))
            r.divider = quint16(v);
        else if (field == QLatin1String("type") && (good = num(0, 255)))
            r.type = quint8(v);
        else if (field == QLatin1String("action") && (good = num(0, 255)))
            r.action = quint8(v);
        else if (field == QLatin1String("message") && (good = num(0, 255)))
            r.message = quint8(v);
        else if (field == QLatin1String("message2") && (good = num(0, 255)))
            r.message2 = quint8(v);
        else if (field == QLatin1String("current") && (good = num(i32lo, i32hi)))
            r.current = qint32(v);
        else if (good)
            return fail(QStringLiteral("unknown field %1").arg(field.left(40)));
        if (!good)
            return fail(QStringLiteral("bad value for %1: %2").arg(field.left(40), text.left(40)));
    }
    if (id == ParamCurrentDeviceStatus) {
        QString error;
        if (!m_unit.forceState(r.value, &error))
            return fail(error);
        return ok(QStringLiteral("param %1").arg(id));
    }
    m_unit.params().set(r);
    m_unit.reportRecord(quint16(id));
    return ok(QStringLiteral("param %1").arg(id));
}

QString CommandInterpreter::audio(const QStringList& args, const QString& rest)
{
    const QString sub = args.size() > 1 ? args.at(1).toLower() : QString();
    QString error;
    qint64 v = 0;
    if (sub == QLatin1String("source") && args.size() == 3) {
        const QString s = args.at(2).toLower();
        if (s == QLatin1String("off"))
            m_audio.setSource(AudioBoard::SourceOff);
        else if (s == QLatin1String("sd"))
            m_audio.setSource(AudioBoard::SourceSdCard);
        else if (s == QLatin1String("bt"))
            m_audio.setSource(AudioBoard::SourceBluetooth);
        else
            return fail(QStringLiteral("usage: audio source off|sd|bt"));
        return ok(QStringLiteral("audio source %1").arg(s));
    }
    if ((sub == QLatin1String("play") || sub == QLatin1String("pause")) && args.size() == 2) {
        m_audio.setPaused(sub == QLatin1String("pause"));
        return ok(QStringLiteral("audio ") + sub);
    }
    if ((sub == QLatin1String("next") || sub == QLatin1String("prev")) && args.size() == 2) {
        m_audio.step(sub == QLatin1String("next") ? 1 : -1);
        return ok(QStringLiteral("audio ") + sub);
    }
    if (sub == QLatin1String("folder") && args.size() == 3) {
        if (!parseNumber(args.at(2), 1, 255, &v) || !m_audio.selectFolder(int(v), &error))
            return fail(error.isEmpty() ? QStringLiteral("usage: audio folder N") : error);
        return ok(QStringLiteral("audio folder %1").arg(v));
    }
    if (sub == QLatin1String("volume") && args.size() == 3) {
        if (!parseNumber(args.at(2), 0, 100, &v) || !m_audio.setVolume(int(v), &error))
            return fail(QStringLiteral("usage: audio volume P (0..100)"));
        return ok(QStringLiteral("audio volume %1").arg(v));
    }
    if (sub == QLatin1String("track") && args.size() >= 3) {
        const QString text =
            rest.mid(rest.indexOf(QLatin1String("track"), 0, Qt::CaseInsensitive) + 5).trimmed();
        m_audio.setTrackText(text);
        return ok(QStringLiteral("audio track"));
    }
    if (sub == QLatin1String("report") && args.size() == 2) {
        m_audio.reportAll();
        return ok(QStringLiteral("audio report"));
    }
    return fail(QStringLiteral("usage: audio source off|sd|bt | play | pause | next | prev | "
                               "folder N | volume P | track TEXT | report"));
}

} // namespace bussim
