#include "mediacontroller.h"

#include "controllers/devicecontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "core/telegrammanager.h"

#include <QByteArray>
#include <QDebug>

namespace {

constexpr uchar CmdSelectSource = 0xB0;
constexpr uchar CmdVolume = 0xB3;
constexpr uchar CmdTakeControl = 0xB5;

constexpr uint8_t SourceOffCode = 0x80;
constexpr uint8_t SourceSdCardCode = 0x91;
constexpr uint8_t SourceBluetoothCode = 0xA1;

// Levels 0..10 of the two further volume bytes, in percent; both held at 0.
constexpr int BassLevel = 0;
constexpr int TrebleLevel = 0;

uint8_t levelToPercent(int level)
{
    return static_cast<uint8_t>(int(0.5 + level / 10.0 * 100));
}

} // namespace

MediaController::MediaController() = default;

uint8_t MediaController::stepsToPercent(int steps)
{
    return static_cast<uint8_t>(int(0.5 + steps / 20.0 * 100));
}

uint8_t MediaController::percentToSteps(int percent)
{
    return static_cast<uint8_t>(int(0.5 + percent / 100.0 * 20));
}

void MediaController::sendTransportCommand(uint8_t code)
{
    TelegramManager* manager = TelegramManager::instance();
    const QByteArray data(1, static_cast<char>(code));
    if (m_audioSource == EnumProviderClass::BLUETOOTH) {
        manager->onSendTelegramToBluetoothController(CmdSelectSource, data);
        return;
    }
    manager->onSendTelegramToAudioController(CmdTakeControl);
    manager->onSendTelegramToAudioController(CmdSelectSource, data);
}

void MediaController::playAudio()
{
    sendTransportCommand(Play);
}
void MediaController::pauseAudio()
{
    sendTransportCommand(Pause);
}
void MediaController::previousAudioTitle()
{
    sendTransportCommand(PreviousTitle);
}
void MediaController::nextAudioTitle()
{
    sendTransportCommand(NextTitle);
}

void MediaController::setAudioVolume(uint8_t audioVolume)
{
    // Stored without a signal: the reported volume confirms it.
    m_audioVolume = audioVolume;
    QByteArray data;
    data.append(static_cast<char>(stepsToPercent(audioVolume)));
    data.append(static_cast<char>(levelToPercent(BassLevel)));
    data.append(static_cast<char>(levelToPercent(TrebleLevel)));
    TelegramManager::instance()->onSendTelegramToAudioController(CmdVolume, data);
}

void MediaController::setAudioSource(EnumProviderClass::AudioSource audioSource)
{
    TelegramManager* manager = TelegramManager::instance();
    manager->onSendTelegramToAudioController(CmdTakeControl);
    switch (audioSource) {
    case EnumProviderClass::AUDIOOFF:
        manager->onSendTelegramToAudioController(CmdSelectSource,
                                                 QByteArray(1, char(SourceOffCode)));
        break;
    case EnumProviderClass::SDCARD:
        manager->onSendTelegramToAudioController(CmdSelectSource,
                                                 QByteArray(1, char(SourceSdCardCode)));
        break;
    case EnumProviderClass::BLUETOOTH:
        manager->onSendTelegramToAudioController(CmdSelectSource,
                                                 QByteArray(1, char(SourceBluetoothCode)));
        break;
    default:
        manager->onSendTelegramToAudioController(CmdSelectSource);
        break;
    }
}

QString MediaController::convertAudioSource(EnumProviderClass::AudioSource audioSource) const
{
    switch (audioSource) {
    case EnumProviderClass::AUDIOOFF:
        if (ApplicationController::instance()->deviceController().switchVoiceGuideOn())
            return QObject::tr("Info");
        return QObject::tr("Aus");
    case EnumProviderClass::SDCARD:
        return QObject::tr("Intern");
    case EnumProviderClass::BLUETOOTH:
        return QObject::tr("Bluetooth ®");
    default:
        return QString();
    }
}

void MediaController::setAudioPaused(bool audioPaused)
{
    if (m_audioPaused == audioPaused)
        return;
    m_audioPaused = audioPaused;
    emit audioPausedChanged();
}

void MediaController::setMusicInterpreter(const QString& musicInterpreter)
{
    if (m_musicInterpreter == musicInterpreter)
        return;
    m_musicInterpreter = musicInterpreter;
    emit musicInterpreterChanged();
}

void MediaController::setMusicTitel(const QString& musicTitel)
{
    if (m_musicTitel == musicTitel)
        return;
    m_musicTitel = musicTitel;
    emit musicTitelChanged();
}

void MediaController::setAudioDir(const QString& audioDir)
{
    if (m_audioDir == audioDir)
        return;
    m_audioDir = audioDir;
    qDebug().noquote() << "CURRENT DIR: " + audioDir;
    emit audioDirChanged();
}

void MediaController::onAudioVolumeChanged(uint8_t currentVolume)
{
    m_audioVolume = percentToSteps(currentVolume);
    emit audioVolumeChanged();
}

void MediaController::onAudioSourceChanged(EnumProviderClass::AudioSource currentAudioSource)
{
    if (m_audioSource == currentAudioSource)
        return;
    m_audioSource = currentAudioSource;
    emit audioSourceChanged();
}
