#pragma once

#include <QByteArray>
#include <QString>

// Interpreter and title of a track as the audio and Bluetooth boards send
// them: "<interpreter>}<title>" followed by two trailing bytes. Text fields
// end at the first zero byte or at the end of the data.
struct TrackText
{
    QString interpreter;
    QString title;

    // Audio board: a text without '}' has an interpreter but no title.
    static TrackText fromAudioBoard(const QByteArray& text);
    // Bluetooth board: both parts are needed; the title ends at the first '~'
    // (the album follows it). Returns false when there is no '}'.
    static bool fromBluetoothBoard(const QByteArray& text, TrackText* track);

    static QString utf8UpToZero(const QByteArray& bytes);
    static QString latin1UpToZero(const QByteArray& bytes);
};
