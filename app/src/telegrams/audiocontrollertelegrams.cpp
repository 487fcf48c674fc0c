#include "audiocontrollertelegrams.h"

#include "controllers/audiomodel.h"
#include "controllers/mediacontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "core/telegrammanager.h"
#include "telegrams/tracktext.h"

#include <rimotelegram.h>

#include <QDebug>

namespace {

constexpr uchar CmdInvalid = 0x00;
constexpr uchar CmdPlayerState = 0x30;
constexpr uchar CmdCurrentFolder = 0x31;
constexpr uchar CmdFolderEntry = 0x32;
constexpr uchar CmdVolume = 0x33;

constexpr uint8_t StateSdCard = 0x90;
constexpr uint8_t StateBluetooth = 0xA0;
constexpr uint8_t StateOff = 0x80;

} // namespace

AudioControllerTelegrams::AudioControllerTelegrams(QObject* parent) : QObject(parent) {}

void AudioControllerTelegrams::decode(const rimoTelegram& telegram)
{
    const uchar command = telegram.command();
    const QByteArray data = telegram.data();
    ApplicationController* app = ApplicationController::instance();
    MediaController& media = app->mediaController();

    switch (command) {
    case CmdInvalid:
        emit audioControllerErrorTelegram(QStringLiteral("Unknown telegram!"));
        return;

    case CmdPlayerState: {
        if (data.isEmpty())
            return;
        const uint8_t state = static_cast<uint8_t>(data.at(0));
        switch (state) {
        case StateSdCard:
            media.onAudioSourceChanged(EnumProviderClass::SDCARD);
            if (data.size() > 2) {
                media.setAudioPaused(data.at(2) & 0x01);
                // Both texts are empty when no track text follows.
                const TrackText track = TrackText::fromAudioBoard(data.mid(3));
                media.setMusicTitel(track.title);
                media.setMusicInterpreter(track.interpreter);
            }
            break;
        case StateBluetooth:
            media.onAudioSourceChanged(EnumProviderClass::BLUETOOTH);
            break;
        case StateOff:
            media.onAudioSourceChanged(EnumProviderClass::AUDIOOFF);
            if (data.size() > 2)
                media.setAudioPaused(data.at(2) & 0x01);
            media.setMusicTitel(QString());
            media.setMusicInterpreter(QString());
            break;
        default:
            break;
        }
        // The main control unit follows the player state too.
        TelegramManager::instance()->onSendTelegramToMainControl(CmdPlayerState, data.left(1));
        return;
    }

    case CmdCurrentFolder: {
        // Like every text of the board, the name ends at its first zero byte;
        // what follows it is no part of the name.
        QByteArray name = data;
        const int zero = name.indexOf('\0');
        if (zero >= 0)
            name.truncate(zero);
        while (!name.isEmpty() && (name.endsWith('\0') || name.endsWith(' ')))
            name.chop(1);
        const QString dir = QString::fromLatin1(name.trimmed());
        media.setAudioDir(dir);
        app->audioModel().markCurrentFolder(dir);
        return;
    }

    case CmdFolderEntry: {
        if (data.size() <= 3)
            return;
        const QByteArray field = data.mid(3, data.size() - 4);
        const QString name = TrackText::latin1UpToZero(field).trimmed();
        const int folderIndex = static_cast<uint8_t>(data.at(0)) - 1;
        app->audioModel().addAudioFolder(name, folderIndex, media.audioDir());
        return;
    }

    case CmdVolume: {
        // The volume arrives as a big-endian number of up to four bytes.
        bool ok = false;
        const uint volume = data.toHex().toUInt(&ok, 16);
        media.onAudioVolumeChanged(static_cast<uint8_t>((ok ? volume : 0) & 0xFF));
        return;
    }

    default:
        qDebug().noquote() << "COMMAND: " + QString::number(command);
        return;
    }
}
