#pragma once

#include <QObject>
#include <QString>

#include "types/enumproviderclass.h"

// Source, transport, volume and now-playing texts of the audio board. Commands
// go out through the telegram manager; the shown state comes back from the
// audio and Bluetooth board decoders.
class MediaController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool audioPaused READ audioPaused NOTIFY audioPausedChanged)
    Q_PROPERTY(uint8_t audioVolume READ audioVolume NOTIFY audioVolumeChanged)
    Q_PROPERTY(QString musicInterpreter READ musicInterpreter NOTIFY musicInterpreterChanged)
    Q_PROPERTY(QString musicTitel READ musicTitel NOTIFY musicTitelChanged)
    Q_PROPERTY(
        EnumProviderClass::AudioSource audioSource READ audioSource NOTIFY audioSourceChanged)
    Q_PROPERTY(QString audioDir READ audioDir NOTIFY audioDirChanged)

public:
    // Transport codes of command 0xB0.
    enum TransportCode : uint8_t {
        NextTitle = 130,
        PreviousTitle = 131,
        Play = 133,
        Pause = 134,
    };

    MediaController();

    bool audioPaused() const { return m_audioPaused; }
    uint8_t audioVolume() const { return m_audioVolume; }
    QString musicInterpreter() const { return m_musicInterpreter; }
    QString musicTitel() const { return m_musicTitel; }
    EnumProviderClass::AudioSource audioSource() const { return m_audioSource; }
    QString audioDir() const { return m_audioDir; }

    // The screens work in steps 0..20, the audio board in percent; both round half up.
    static uint8_t stepsToPercent(int steps);
    static uint8_t percentToSteps(int percent);

    Q_INVOKABLE void playAudio();
    Q_INVOKABLE void pauseAudio();
    Q_INVOKABLE void previousAudioTitle();
    Q_INVOKABLE void nextAudioTitle();
    Q_INVOKABLE void setAudioVolume(uint8_t audioVolume);
    Q_INVOKABLE void setAudioSource(EnumProviderClass::AudioSource audioSource);
    Q_INVOKABLE QString convertAudioSource(EnumProviderClass::AudioSource audioSource) const;

    // Set by the telegram decoders; each stores and emits on change.
    void setAudioPaused(bool audioPaused);
    void setMusicInterpreter(const QString& musicInterpreter);
    void setMusicTitel(const QString& musicTitel);
    void setAudioDir(const QString& audioDir);

public slots:
    void onAudioVolumeChanged(uint8_t currentVolume);
    void onAudioSourceChanged(EnumProviderClass::AudioSource currentAudioSource);

signals:
    void audioPausedChanged();
    void audioVolumeChanged();
    void musicInterpreterChanged();
    void musicTitelChanged();
    void audioSourceChanged();
    void audioDirChanged();

private:
    void sendTransportCommand(uint8_t code);

    bool m_audioPaused = false;
    uint8_t m_audioVolume = 0;
    QString m_musicInterpreter;
    QString m_musicTitel;
    EnumProviderClass::AudioSource m_audioSource = EnumProviderClass::AUDIOOFF;
    QString m_audioDir;
};
