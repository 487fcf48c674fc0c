#include "simoptions.h"

#include "simpath.h"

namespace bussim {

SimOptions SimOptions::withDefaults()
{
    SimOptions o;
    o.ttyPath = simPath(QStringLiteral("/dev/ttymxc1"));
    o.socketPath = simPath(QStringLiteral("/run/rimo-bussim.sock"));
    o.logPath = simPath(QStringLiteral("/run/rimo-bussim.log"));
    o.musicPath = simPath(QStringLiteral("/media/sd_card/music"));
    return o;
}

QString SimOptions::helpText()
{
    return QStringLiteral(
        "Usage: rimo-bussim [options]\n"
        "Plays the controller boards of the lounger (main control unit 0x08, audio 0xF2,\n"
        "Bluetooth 0x98, NFC reader) on a pseudo-terminal linked at $VANTO_ROOT/dev/ttymxc1.\n"
        "\n"
        "Options:\n"
        "  --dbm N               data byte marker of the transmissions, 0..3 (default 0)\n"
        "  --appliance N         appliance type 1 lounge, 2 clinic, 3 US version (default 1)\n"
        "  --para-236 V          display paragraph 236: 1 = second display fitted (default 0)\n"
        "  --para-424 V          display paragraph 424, first display (default 1)\n"
        "  --para-425 V          display paragraph 425, second display/variant (default 100)\n"
        "  --switches N          set-up switches bit set (default: LED spa, massage settings,\n"
        "                        audio, Bluetooth, quick start; no payment)\n"
        "  --session-code N      session code 0..9999 (default 0000)\n"
        "  --setup-code N        set-up code 0..9999 (default 1234)\n"
        "  --boot-ms N           time in BOOT before the reference run (default 500)\n"
        "  --reference-ms N      length of a reference run (default 3000)\n"
        "  --stop-ms N           time from STOP_SESSION/STOP_PROGRAMMING on (default 1000)\n"
        "  --keepalive-ms N      longest gap without a telegram to the panel, 100..2000 (default "
        "1000)\n"
        "  --ident-delay-ms N    delay of the identification requests after the panel's\n"
        "                        first telegram (default 1000)\n"
        "  --no-ident            send no identification requests\n"
        "  --ack-timeout-ms N    wait for the panel's acknowledgement per attempt (default 20)\n"
        "  --tty PATH            link to the pseudo-terminal (default $VANTO_ROOT/dev/ttymxc1)\n"
        "  --socket PATH         control socket (default $VANTO_ROOT/run/rimo-bussim.sock)\n"
        "  --log PATH            JSON-lines event log (default $VANTO_ROOT/run/rimo-bussim.log)\n"
        "  --music PATH          music folders (default $VANTO_ROOT/media/sd_card/music)\n"
        "  --send LINE           client mode: send LINE to a running simulator's socket,\n"
        "                        print the answer; exit 0 on ok, 1 on error, 3 without\n"
        "                        a simulator (may be given several times)\n"
        "  --help                this text\n"
        "\n"
        "Control commands (socket, and standard input when it is a terminal), one per line,\n"
        "each answered by one line starting with \"ok\" or \"error\":\n"
        "  state N                       set the device state N (0..24) and report it\n"
        "  param ID field=value ...      change fields of a record (def value min max step\n"
        "                                divider type action message message2 current), report it\n"
        "  report ID                     report a parameter now (10101: all boards, 10102: "
        "history)\n"
        "  errors BITS | warnings BITS   set the current error / warning word (0x.. allowed)\n"
        "  history INDEX ERROR STATE ACTIVE   fill error history entry INDEX (0..31)\n"
        "  nfc sessions|minutes N [program]   present an NFC card with that credit\n"
        "  coin                          insert a coin (READY_IDLE or PAY_SESSION)\n"
        "  silence MS                    send no telegram at all for MS milliseconds\n"
        "  fault noack|nak|garbage|corrupt N  line faults on the next N blocks\n"
        "  audio source off|sd|bt        change the audio source\n"
        "  audio play | audio pause      player state\n"
        "  audio next | audio prev       change track\n"
        "  audio folder N                choose folder N (1-based)\n"
        "  audio volume P                volume in percent 0..100\n"
        "  audio track TEXT              current track text \"interpreter}title\"\n"
        "  audio report                  report player state, folder and volume\n"
        "  bluetooth N                   Bluetooth state 0, 1, 2 or 6\n"
        "  status                        one line with state, time left, errors\n"
        "  help                          the command list\n"
        "  quit                          end the simulator\n");
}

namespace {
bool toInt(const QString& text, qint64* out)
{
    bool ok = false;
    qint64 v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                   ? text.mid(2).toLongLong(&ok, 16)
                   : text.toLongLong(&ok, 10);
    if (ok)
        *out = v;
    return ok;
}
} // namespace

bool SimOptions::parse(const QStringList& arguments, QString* error, bool* help)
{
    *help = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            *help = true;
            return true;
        }
        if (arg == QLatin1String("--no-ident")) {
            identRequests = false;
            continue;
        }
        static const QStringList valued{"--dbm",
                                        "--appliance",
                                        "--para-236",
                                        "--para-424",
                                        "--para-425",
                                        "--switches",
                                        "--session-code",
                                        "--setup-code",
                                        "--boot-ms",
                                        "--reference-ms",
                                        "--stop-ms",
                                        "--keepalive-ms",
                                        "--ident-delay-ms",
                                        "--ack-timeout-ms",
                                        "--tty",
                                        "--socket",
                                        "--log",
                                        "--music",
                                        "--send"};
        if (!valued.contains(arg)) {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return false;
        }
        if (i + 1 >= arguments.size()) {
            *error = QStringLiteral("missing value for %1").arg(arg);
            return false;
        }
        const QString value = arguments.at(++i);
        auto number = [&](qint64 lo, qint64 hi, auto* target) {
            qint64 v = 0;
            if (!toInt(value, &v) || v < lo || v > hi) {
                *error = QStringLiteral("bad value for %1: %2 (allowed %3..%4)")
                             .arg(arg, value)
                             .arg(lo)
                             .arg(hi);
                return false;
            }
            *target = static_cast<std::remove_pointer_t<decltype(target)>>(v);
            return true;
        };
        bool ok = true;
        if (arg == QLatin1String("--dbm"))
            ok = number(0, 3, &dbm);
        else if (arg == QLatin1String("--appliance"))
            ok = number(1, 3, &appliance);
        else if (arg == QLatin1String("--para-236"))
            ok = number(0, 255, &paragraph236);
        else if (arg == QLatin1String("--para-424"))
            ok = number(0, 255, &paragraph424);
        else if (arg == QLatin1String("--para-425"))
            ok = number(0, 255, &paragraph425);
        else if (arg == QLatin1String("--switches"))
            ok = number(0, (1 << 23) - 1, &switches);
        else if (arg == QLatin1String("--session-code"))
            ok = number(0, 9999, &sessionCode);
        else if (arg == QLatin1String("--setup-code"))
            ok = number(0, 9999, &setupCode);
        else if (arg == QLatin1String("--boot-ms"))
            ok = number(0, 600000, &bootMs);
        else if (arg == QLatin1String("--reference-ms"))
            ok = number(0, 600000, &referenceMs);
        else if (arg == QLatin1String("--stop-ms"))
            ok = number(0, 600000, &stopMs);
        else if (arg == QLatin1String("--keepalive-ms"))
            ok = number(100, 2000, &keepAliveMs);
        else if (arg == QLatin1String("--ident-delay-ms"))
            ok = number(0, 600000, &identDelayMs);
        else if (arg == QLatin1String("--ack-timeout-ms"))
            ok = number(4, 1000, &ackTimeoutMs);
        else if (arg == QLatin1String("--tty"))
            ttyPath = value;
        else if (arg == QLatin1String("--socket"))
            socketPath = value;
        else if (arg == QLatin1String("--log"))
            logPath = value;
        else if (arg == QLatin1String("--music"))
            musicPath = value;
        else if (arg == QLatin1String("--send"))
            sendLines << value;
        else {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return false;
        }
        if (!ok)
            return false;
    }
    return true;
}

} // namespace bussim
