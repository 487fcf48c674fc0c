#include "tracktext.h"

#include <QList>

namespace {
constexpr char Separator = '}';
constexpr char AlbumSeparator = '~';

QByteArray upToZero(const QByteArray& bytes)
{
    const int zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

// The title part carries two trailing bytes that are no text.
QByteArray withoutTrailer(const QByteArray& part)
{
    return part.size() > 2 ? part.left(part.size() - 2) : QByteArray();
}
} // namespace

QString TrackText::utf8UpToZero(const QByteArray& bytes)
{
    return QString::fromUtf8(upToZero(bytes));
}

QString TrackText::latin1UpToZero(const QByteArray& bytes)
{
    return QString::fromLatin1(upToZero(bytes));
}

TrackText TrackText::fromAudioBoard(const QByteArray& text)
{
    TrackText track;
    if (text.isEmpty())
        return track;
    const QList<QByteArray> parts = text.split(Separator);
    if (parts.size() < 2) {
        // No title part: the two trailing bytes follow the interpreter.
        track.interpreter = utf8UpToZero(withoutTrailer(parts.at(0)));
        return track;
    }
    track.interpreter = utf8UpToZero(parts.at(0));
    track.title = latin1UpToZero(withoutTrailer(parts.at(1)));
    return track;
}

bool TrackText::fromBluetoothBoard(const QByteArray& text, TrackText* track)
{
    const QList<QByteArray> parts = text.split(Separator);
    if (parts.size() < 2)
        return false;
    track->interpreter = utf8UpToZero(parts.at(0));
    QByteArray title = withoutTrailer(parts.at(1));
    const int album = title.indexOf(AlbumSeparator);
    if (album >= 0)
        title = title.left(album);
    track->title = latin1UpToZero(title);
    return true;
}
