#ifndef AUDIOBOARD_H
#define AUDIOBOARD_H

#include "simtelegram.h"

#include <QObject>
#include <QStringList>
#include <QVector>

namespace bussim {

// The audio controller (0xF2) and the Bluetooth controller (0x98): a player
// over the music folders of the SD card (or a built-in list), fed from the
// card or from a Bluetooth source.
class AudioBoard : public QObject
{
    Q_OBJECT
public:
    enum Source { SourceOff, SourceSdCard, SourceBluetooth };

    // State codes of the player-state telegram 0x30.
    static constexpr uchar StateOff = 0x80;
    static constexpr uchar StateSdCard = 0x90;
    static constexpr uchar StateBluetooth = 0xA0;
    // Transport codes of command 0xB0.
    static constexpr uchar SelectOff = 0x80;
    static constexpr uchar SelectSdCard = 0x91;
    static constexpr uchar SelectBluetooth = 0xA1;
    static constexpr uchar CodeNext = 130;
    static constexpr uchar CodePrevious = 131;
    static constexpr uchar CodePlay = 133;
    static constexpr uchar CodePause = 134;

    struct Folder
    {
        QString name;
        QStringList tracks; // "interpreter}title"
    };

    explicit AudioBoard(QObject* parent = nullptr);

    // Reads the folders below musicPath; without any, a built-in list.
    void loadFolders(const QString& musicPath);
    void setFolders(const QVector<Folder>& folders);

    void handleTelegram(const SimTelegram& telegram); // to 0xF2 or 0x98
    void advance(int ms);

    Source source() const { return m_source; }
    bool paused() const { return m_paused; }
    int volume() const { return m_volume; }
    int folderNumber() const { return m_folder + 1; }
    QString trackText() const;
    const QVector<Folder>& folders() const { return m_folders; }

    // Control interface.
    void setSource(Source source);
    void setPaused(bool paused);
    void step(int delta);
    bool selectFolder(int number, QString* error);
    bool setVolume(int percent, QString* error);
    void setTrackText(const QString& text);
    void reportAll();

signals:
    void telegramOut(const bussim::SimTelegram& telegram);
    // The Bluetooth module streams while it is the source.
    void bluetoothStreaming(bool streaming);

private:
    void send(uchar sender, uchar command, const QByteArray& data = QByteArray());
    void reportState();
    void reportFolder();
    void reportFolders();
    void reportVolume();
    void reportBluetoothTrack();
    void onTransport(uchar code, bool fromBluetooth);

    QVector<Folder> m_folders;
    Source m_source = SourceOff;
    bool m_paused = false;
    int m_volume = 40;
    int m_folder = 0;
    int m_track = 0;
    int m_btTrack = 0;
    QString m_trackOverride;
    int m_trackElapsedMs = 0;
};

} // namespace bussim

#endif // AUDIOBOARD_H
