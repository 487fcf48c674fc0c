#include "audioboard.h"

#include <QDir>
#include <QFileInfo>

namespace bussim {

namespace {
constexpr int TrackLengthMs = 180000;

const char* const BluetoothTracks[] = {
    "Phone Artist}Streamed Song~Album One",
    "Another Artist}Second Stream~Album Two",
    "Third Artist}Evening Tune~Album Three",
};
constexpr int BluetoothTrackCount = int(sizeof(BluetoothTracks) / sizeof(BluetoothTracks[0]));

QByteArray latin1Text(const QString& text)
{
    return text.toLatin1();
}

// Track texts: the panel reads the interpreter as UTF-8 and the title as
// Latin-1.
QByteArray trackBytes(const QString& text)
{
    const int brace = text.indexOf(QLatin1Char('}'));
    if (brace < 0)
        return text.toUtf8();
    return text.left(brace).toUtf8() + '}' + text.mid(brace + 1).toLatin1();
}
} // namespace

AudioBoard::AudioBoard(QObject* parent) : QObject(parent)
{
    setFolders({});
}

void AudioBoard::setFolders(const QVector<Folder>& folders)
{
    m_folders = folders;
    if (m_folders.isEmpty()) {
        m_folders = {
            {QStringLiteral("Entspannung"),
             {QStringLiteral("Calm Ensemble}Morning Breeze"),
              QStringLiteral("Calm Ensemble}Slow Waves")}},
            {QStringLiteral("Klassik"),
             {QStringLiteral("Chamber Orchestra}Adagio"),
              QStringLiteral("Chamber Orchestra}Rondo")}},
            {QStringLiteral("Natur"),
             {QStringLiteral("Field Recordings}Forest Rain"),
              QStringLiteral("Field Recordings}Sea Shore")}},
            {QStringLiteral("Lounge"),
             {QStringLiteral("Lounge Trio}Late Night"), QStringLiteral("Lounge Trio}Soft Light")}},
        };
    }
    for (Folder& f : m_folders) {
        if (f.tracks.isEmpty())
            f.tracks << QStringLiteral("Unknown Artist}Track 1");
    }
    m_folder = 0;
    m_track = 0;
}

void AudioBoard::loadFolders(const QString& musicPath)
{
    QVector<Folder> folders;
    QDir dir(musicPath);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : entries) {
        Folder f;
        f.name = info.fileName();
        const QFileInfoList files =
            QDir(info.absoluteFilePath()).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& file : files) {
            // "Interpreter - Title.mp3" gives interpreter and title.
            const QString base = file.completeBaseName();
            const int dash = base.indexOf(QLatin1String(" - "));
            f.tracks << (dash > 0 ? base.left(dash) + QLatin1Char('}') + base.mid(dash + 3)
                                  : QStringLiteral("}") + base);
        }
        folders << f;
    }
    setFolders(folders);
}

void AudioBoard::send(uchar sender, uchar command, const QByteArray& data)
{
    emit telegramOut(SimTelegram{GuiAddress, sender, command, data});
}

QString AudioBoard::trackText() const
{
    if (!m_trackOverride.isEmpty())
        return m_trackOverride;
    if (m_source == SourceBluetooth)
        return QString::fromLatin1(BluetoothTracks[m_btTrack % BluetoothTrackCount]);
    if (m_source == SourceOff)
        return QString();
    const Folder& f = m_folders.at(m_folder);
    return f.tracks.at(m_track % f.tracks.size());
}

void AudioBoard::reportState()
{
    QByteArray d;
    switch (m_source) {
    case SourceOff:
        d.append(char(StateOff));
        break;
    case SourceSdCard:
        d.append(char(StateSdCard));
        break;
    case SourceBluetooth:
        d.append(char(StateBluetooth));
        break;
    }
    d.append(char(m_folder + 1));
    d.append(char(m_paused ? 1 : 0));
    if (m_source == SourceSdCard) {
        // The title is followed by two bytes that the panel strips.
        d.append(trackBytes(trackText()));
        d.append('\0');
        d.append('\0');
    }
    send(AudioAddress, 0x30, d);
}

void AudioBoard::reportFolder()
{
    QByteArray d = latin1Text(m_folders.at(m_folder).name);
    d.append('\0');
    send(AudioAddress, 0x31, d);
}

void AudioBoard::reportFolders()
{
    for (int i = 0; i < m_folders.size(); ++i) {
        QByteArray d;
        d.append(char(i + 1));
        d.append(char(m_folders.size()));
        d.append('\0');
        d.append(latin1Text(m_folders.at(i).name));
        d.append('\0');
        d.append('\0');
        send(AudioAddress, 0x32, d);
    }
}

void AudioBoard::reportVolume()
{
    send(AudioAddress, 0x33, QByteArray(1, char(m_volume)));
}

void AudioBoard::reportBluetoothTrack()
{
    if (m_source != SourceBluetooth)
        return;
    QByteArray d = trackBytes(trackText());
    d.append('\0');
    d.append('\0');
    send(BluetoothAddress, 0x32, d);
}

void AudioBoard::reportAll()
{
    reportState();
    reportFolder();
    reportVolume();
    reportBluetoothTrack();
}

void AudioBoard::setSource(Source source)
{
    const bool wasBluetooth = m_source == SourceBluetooth;
    m_source = source;
    m_paused = false;
    m_trackOverride.clear();
    m_trackElapsedMs = 0;
    reportState();
    if (source == SourceSdCard)
        reportFolder();
    reportBluetoothTrack();
    if (wasBluetooth != (source == SourceBluetooth))
        emit bluetoothStreaming(source == SourceBluetooth);
}

void AudioBoard::setPaused(bool paused)
{
    m_paused = paused;
    reportState();
}

void AudioBoard::step(int delta)
{
    m_trackOverride.clear();
    m_trackElapsedMs = 0;
    if (m_source == SourceBluetooth) {
        m_btTrack = (m_btTrack + delta + BluetoothTrackCount) % BluetoothTrackCount;
        reportBluetoothTrack();
        return;
    }
    const int count = m_folders.at(m_folder).tracks.size();
    m_track = ((m_track + delta) % count + count) % count;
    reportState();
}

bool AudioBoard::selectFolder(int number, QString* error)
{
    if (number < 1 || number > m_folders.size()) {
        *error = QStringLiteral("folder must be 1..%1").arg(m_folders.size());
        return false;
    }
    m_folder = number - 1;
    m_track = 0;
    m_trackOverride.clear();
    reportFolder();
    reportState();
    return true;
}

bool AudioBoard::setVolume(int percent, QString* error)
{
    if (percent < 0 || percent > 100) {
        *error = QStringLiteral("volume must be 0..100");
        return false;
    }
    m_volume = percent;
    reportVolume();
    return true;
}

void AudioBoard::setTrackText(const QString& text)
{
    m_trackOverride = text;
    reportState();
    reportBluetoothTrack();
}

void AudioBoard::onTransport(uchar code, bool fromBluetooth)
{
    switch (code) {
    case SelectOff:
        setSource(SourceOff);
        break;
    case SelectSdCard:
        setSource(SourceSdCard);
        break;
    case SelectBluetooth:
        setSource(SourceBluetooth);
        break;
    case CodeNext:
        step(1);
        break;
    case CodePrevious:
        step(-1);
        break;
    case CodePlay:
        setPaused(false);
        break;
    case CodePause:
        setPaused(true);
        break;
    default:
        break;
    }
    Q_UNUSED(fromBluetooth)
}

void AudioBoard::handleTelegram(const SimTelegram& t)
{
    const bool bluetooth = t.receiver == BluetoothAddress;
    switch (t.command) {
    case 0x89:
        if (!bluetooth)
            reportAll();
        break;
    case 0x92:
        if (!bluetooth)
            reportFolders();
        break;
    case 0xB0:
        if (!t.data.isEmpty())
            onTransport(uchar(t.data.at(0)), bluetooth);
        break;
    case 0xB1:
        if (!t.data.isEmpty() && !bluetooth) {
            QString error;
            selectFolder(uchar(t.data.at(0)), &error);
        }
        break;
    case 0xB3:
        if (!t.data.isEmpty() && !bluetooth) {
            QString error;
            setVolume(qMin(100, int(uchar(t.data.at(0)))), &error);
        }
        break;
    case 0xB5:
        // Takes the player's attention before a transport command; no answer.
        break;
    default:
        break;
    }
}

void AudioBoard::advance(int ms)
{
    if (m_source != SourceSdCard || m_paused || !m_trackOverride.isEmpty())
        return;
    m_trackElapsedMs += ms;
    if (m_trackElapsedMs >= TrackLengthMs) {
        m_trackElapsedMs = 0;
        step(1);
    }
}

} // namespace bussim
