#ifndef COMMANDINTERPRETER_H
#define COMMANDINTERPRETER_H

#include "peerlink.h"

#include <QString>

#include <functional>

namespace bussim {

class AudioBoard;
class MainControlUnit;

// The control commands of the simulator: one line in, one line out, which
// starts with "ok" or "error". A rejected command changes nothing.
class CommandInterpreter
{
public:
    static constexpr int MaxLineLength = 1024;

    struct Hooks
    {
        std::function<void(int ms)> silence;
        std::function<void(PeerLink::Fault fault, int n)> fault;
        std::function<void()> quit;
    };

    CommandInterpreter(MainControlUnit& unit, AudioBoard& audio, Hooks hooks);

    QString execute(const QString& line);

    // Decimal or 0x-prefixed hexadecimal, within lo..hi.
    static bool parseNumber(const QString& text, qint64 lo, qint64 hi, qint64* out);

private:
    QString param(const QStringList& args);
    QString audio(const QStringList& args, const QString& rest);

    MainControlUnit& m_unit;
    AudioBoard& m_audio;
    Hooks m_hooks;
};

} // namespace bussim

#endif // COMMANDINTERPRETER_H
