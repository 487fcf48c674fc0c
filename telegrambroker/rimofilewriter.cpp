#include "rimofilewriter.h"

#include "brokerpath.h"

#include <QDebug>
#include <QFile>
#include <QStringList>

namespace {

const char* const UnitDir = "/lib/systemd/system/";

// Lines of one display unit that differ between the internal and the
// external display.
struct DisplayLines
{
    QByteArray touchCondition;
    QByteArray framebufferCondition;
    QByteArray framebuffer;
    QByteArray touch;
    QByteArray height;
    QByteArray width;
    QByteArray start;
    QByteArray stop;
};

DisplayLines internalLines()
{
    return {"ConditionPathIsSymbolicLink=/dev/input/touch/internal",
            "ConditionPathIsSymbolicLink=/dev/fb3",
            "Environment=QT_QPA_EGLFS_FB=/dev/fb3",
            "Environment=QT_QPA_EVDEV_TOUCHSCREEN_PARAMETERS=/dev/input/touch/internal",
            "Environment=QT_QPA_EGLFS_PHYSICAL_HEIGHT=93",
            "Environment=QT_QPA_EGLFS_PHYSICAL_WIDTH=154",
            "ExecStart=/usr/bin/rimo -r internal",
            "ExecStopPost=/bin/sh -c \"/bin/cat /dev/zero > /dev/fb3\""};
}

DisplayLines externalLines()
{
    return {"ConditionPathIsSymbolicLink=/dev/input/touch/external",
            "ConditionPathIsSymbolicLink=/dev/fb4",
            "Environment=QT_QPA_EGLFS_FB=/dev/fb4",
            "Environment=QT_QPA_EVDEV_TOUCHSCREEN_PARAMETERS=/dev/input/touch/external",
            "Environment=QT_QPA_EGLFS_PHYSICAL_HEIGHT=137",
            "Environment=QT_QPA_EGLFS_PHYSICAL_WIDTH=218",
            "ExecStart=/usr/bin/rimo -r external",
            "ExecStopPost=/bin/sh -c \"/bin/cat /dev/zero > /dev/fb4\""};
}

QByteArray active(const QByteArray& line, bool on)
{
    return on ? line : QByteArray("#") + line;
}

QByteArray joinLines(const QList<QByteArray>& lines)
{
    QByteArray text;
    for (const QByteArray& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// The display unit skeleton; the callers decide which lines are active and
// what stands between the last environment line and the start line.
QByteArray displayUnit(const DisplayLines& p, bool emptyLineFirst, bool conditionsOn,
                       bool deviceEnvOn, const QList<QByteArray>& beforeStart, bool startOn,
                       bool stopOn)
{
    QList<QByteArray> l;
    l << "[Unit]";
    if (emptyLineFirst) {
        l << ""
          << "Description=rimo GUI application";
    } else {
        l << "Description=rimo GUI application"
          << "";
    }
    l << "After=syslog.target update_confirm.service udisks2.service systemd-udev-settle.service"
      << "Before=NetworkManager.service"
      << "Requires=udisks2.service rimo-telegrambroker.service"
      << active(p.touchCondition, conditionsOn) << active(p.framebufferCondition, conditionsOn)
      << ""
      << "[Service]"
      << "Type=simple"
      << "Environment=\"LD_LIBRARY_PATH=$LD_LIBRARY_PATH:/usr/lib/rimo_lib/\""
      << "Environment=QT_QPA_PLATFORM=eglfs" << active(p.framebuffer, deviceEnvOn)
      << active(p.touch, deviceEnvOn) << p.height << p.width
      << "Environment=QT_AUTO_SCREEN_SCALE_FACTOR=0"
      << "Environment=QT_SCALE_FACTOR=1"
      << "Environment=XDG_RUNTIME_DIR=/tmp"
      << "Environment=QT_QPA_EGLFS_FORCEVSYNC=1";
    l << beforeStart;
    l << active(p.start, startOn) << "Environment=XDG_RUNTIME_DIR=/tmp" << active(p.stop, stopOn)
      << "Restart=always"
      << ""
      << "[Install]"
      << "WantedBy=multi-user.target";
    return joinLines(l);
}

const QByteArray HideCursor = "Environment=QT_QPA_EGLFS_HIDECURSOR=1";

} // namespace

RimoFilewriter::RimoFilewriter(QObject* parent) : QObject(parent) {}

QByteArray RimoFilewriter::vantoServiceText()
{
    return joinLines(
        {"[Unit]",
         "Description=vanto GUI application",
         "",
         "Before=NetworkManager.service",
         "After=syslog.target update_confirm.service udisks2.service systemd-udev-settle.service",
         "Requires=udisks2.service rimo-telegrambroker.service",
         "[Service]",
         "Type=simple",
         "Environment=\"LD_LIBRARY_PATH=$LD_LIBRARY_PATH:/usr/lib/vanto_lib/\"",
         "Environment=QT_QPA_PLATFORM=eglfs",
         "Environment=QT_AUTO_SCREEN_SCALE_FACTOR=0",
         "Environment=QT_QPA_EGLFS_FB=/dev/fb2",
         "Environment=QT_SCALE_FACTOR=1",
         "Environment=XDG_RUNTIME_DIR=/tmp",
         "Environment=QT_QPA_EGLFS_FORCEVSYNC=1",
         "",
         "ExecStart=/usr/bin/vanto",
         "ExecStopPost=/bin/sh -c \"/bin/cat /dev/zero > /dev/fb2\"",
         "Restart=always",
         "",
         "[Install]",
         "WantedBy=multi-user.target"});
}

QByteArray RimoFilewriter::internalServiceText(bool dualDisplay, bool dbmIs2)
{
    if (dualDisplay) {
        return displayUnit(internalLines(), false, true, true, {""}, true, true);
    }
    // A single display runs the internal program only on a DBM 2 bus.
    return displayUnit(internalLines(), true, true, true, {"", HideCursor}, dbmIs2, true);
}

QByteArray RimoFilewriter::externalServiceText(bool dualDisplay, bool dbmIs2, quint16 variant)
{
    if (dualDisplay) {
        return displayUnit(externalLines(), false, true, true, {""}, true, true);
    }
    const bool variant101or102 = variant == 101 || variant == 102;
    const bool variant100 = variant == 100;
    return displayUnit(externalLines(), false, variant101or102, variant101or102, {HideCursor},
                       !dbmIs2, !variant100);
}

bool RimoFilewriter::writeFile(const QString& absolutePath, const QByteArray& text,
                               const char* failureMessage)
{
    QFile file(brokerPath(absolutePath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qDebug().noquote() << failureMessage;
        return false;
    }
    file.write(text);
    return true;
}

bool RimoFilewriter::writeVantoService()
{
    if (!writeFile(QLatin1String(UnitDir) + QLatin1String("vanto.service"), vantoServiceText(),
                   " Could not open vanto.service file!!!")) {
        return false;
    }
    qDebug() << "write new vanto service file";
    return true;
}

bool RimoFilewriter::writeInternalService(bool dualDisplay, bool dbmIs2)
{
    return writeFile(QLatin1String(UnitDir) + QLatin1String("rimo-internal.service"),
                     internalServiceText(dualDisplay, dbmIs2),
                     " Could not open rimo-internal.service file!!!");
}

bool RimoFilewriter::writeExternalService(bool dualDisplay, bool dbmIs2, quint16 variant)
{
    return writeFile(QLatin1String(UnitDir) + QLatin1String("rimo-external.service"),
                     externalServiceText(dualDisplay, dbmIs2, variant),
                     " Could not open rimo-external.service file!!!");
}
