#include "bluetoothcontrollertelegrams.h"

#include "controllers/mediacontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "telegrams/tracktext.h"

#include <rimotelegram.h>

namespace {
constexpr uchar CmdInvalid = 0x00;
constexpr uchar CmdTrackInfo = 0x32;
} // namespace

BluetoothControllerTelegrams::BluetoothControllerTelegrams(QObject* parent) : QObject(parent) {}

void BluetoothControllerTelegrams::decode(const rimoTelegram& telegram)
{
    const uchar command = telegram.command();
    const QByteArray data = telegram.data();

    if (command == CmdInvalid) {
        emit bluetoothControllerErrorTelegram(QStringLiteral("Unknown telegram!"));
        return;
    }
    if (command != CmdTrackInfo || data.size() <= 3)
        return;

    TrackText track;
    if (!TrackText::fromBluetoothBoard(data, &track))
        return;
    MediaController& media = ApplicationController::instance()->mediaController();
    if (media.audioSource() != EnumProviderClass::BLUETOOTH)
        return;
    media.setMusicTitel(track.title);
    media.setMusicInterpreter(track.interpreter);
}
