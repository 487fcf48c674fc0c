// Telegrams of the audio board (0xF2) and the Bluetooth board (0x98): what
// each moves in the media controller and the folder list, and what the main
// control unit is told.
#include "telegramcapture.h"

#include "controllers/audiomodel.h"
#include "controllers/devicecontroller.h"
#include "controllers/mediacontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "telegrams/audiocontrollertelegrams.h"
#include "telegrams/bluetoothcontrollertelegrams.h"

#include <rimotelegram.h>

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr uchar AudioBoard = 0xF2;
constexpr uchar BluetoothBoard = 0x98;

MediaController& media()
{
    return ApplicationController::instance()->mediaController();
}
AudioModel& folders()
{
    return ApplicationController::instance()->audioModel();
}

rimoTelegram telegram(uchar sender, uchar command, const QByteArray& data)
{
    return rimoTelegram(1, 0x94, sender, command, data);
}

// Known state before every row: audio off, not paused, texts "old".
void resetMedia(EnumProviderClass::AudioSource source)
{
    media().onAudioSourceChanged(source);
    media().setAudioPaused(false);
    media().setMusicInterpreter(QStringLiteral("old artist"));
    media().setMusicTitel(QStringLiteral("old title"));
    media().setAudioDir(QString());
}

QByteArray trackText(const QByteArray& text)
{
    return text + QByteArray("\x0d\x0a", 2);
}

QByteArray folderEntry(int number, const QByteArray& name)
{
    // number, two bytes the panel does not read, the name, one trailing byte
    return QByteArray(1, char(number)) + QByteArray("\x00\x00", 2) + name + QByteArray(1, '\0');
}

QStringList folderRows()
{
    QStringList rows;
    for (int row = 0; row < folders().rowCount(); ++row) {
        const QModelIndex index = folders().index(row);
        rows << QStringLiteral("%1:%2%3")
                    .arg(index.data(AudioModel::FolderIndexRole).toInt())
                    .arg(index.data(AudioModel::DirectoryNameRole).toString())
                    .arg(index.data(AudioModel::IsCurrentRole).toBool() ? "*" : "");
    }
    return rows;
}

} // namespace

class TestBoardTelegrams : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TelegramCapture::settleStartup(); }

    void audioPlayerState_data();
    void audioPlayerState();
    void audioVolume_data();
    void audioVolume();
    void audioCurrentFolder();
    void audioCurrentFolderName_data();
    void audioCurrentFolderName();
    void audioFolderList();
    void audioFolderListLimit();
    void audioFolderRenamed();
    void audioErrorsAndUnknownCommands();
    void bluetoothTrackInfo_data();
    void bluetoothTrackInfo();
    void bluetoothErrorsAndUnknownCommands();
    void volumeReportsAlwaysEmit();
    void convertAudioSource_data();
    void convertAudioSource();
    void routedBySender();
};

void TestBoardTelegrams::audioPlayerState_data()
{
    QTest::addColumn<int>("initialSource");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<QString>("interpreter");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("sent");

    const int off = EnumProviderClass::AUDIOOFF;
    const int sd = EnumProviderClass::SDCARD;
    const int bt = EnumProviderClass::BLUETOOTH;
    const QByteArray head90("\x90\x00\x01", 3);

    QTest::newRow("sd card playing a track, paused")
        << off << head90 + trackText("Artist}Song") << sd << true << "Artist"
        << "Song" << QStringList{"08 30 | 90"};
    QTest::newRow("sd card running")
        << off << QByteArray("\x90\x00\x00", 3) + trackText("Artist}Song") << sd << false
        << "Artist"
        << "Song" << QStringList{"08 30 | 90"};
    QTest::newRow("sd card, only bit 0 of byte 2 is the paused flag")
        << off << QByteArray("\x90\x00\xFE", 3) + trackText("A}B") << sd << false << "A"
        << "B" << QStringList{"08 30 | 90"};
    QTest::newRow("sd card without track text empties both texts")
        << off << head90 << sd << true << ""
        << "" << QStringList{"08 30 | 90"};
    QTest::newRow("sd card with two bytes keeps the texts")
        << off << QByteArray("\x90\x00", 2) << sd << false << "old artist"
        << "old title" << QStringList{"08 30 | 90"};
    QTest::newRow("sd card with only the state byte")
        << off << QByteArray("\x90", 1) << sd << false << "old artist"
        << "old title" << QStringList{"08 30 | 90"};
    QTest::newRow("text without separator has no title")
        << off << head90 + trackText("Artist only") << sd << true << "Artist only"
        << "" << QStringList{"08 30 | 90"};
    QTest::newRow("interpreter in utf-8, title in latin-1")
        << off << head90 + trackText("Mot\xC3\xB6rhead}Caf\xE9") << sd << true
        << QString::fromUtf8("Mot\xC3\xB6rhead") << QString::fromLatin1("Caf\xE9")
        << QStringList{"08 30 | 90"};
    QTest::newRow("texts end at a zero byte")
        << off << head90 + QByteArray("Art\0xx}Song\0yy\x0d\x0a", 16) << sd << true << "Art"
        << "Song" << QStringList{"08 30 | 90"};
    QTest::newRow("bluetooth source changes nothing else")
        << off << QByteArray("\xA0", 1) << bt << false << "old artist"
        << "old title" << QStringList{"08 30 | A0"};
    QTest::newRow("bluetooth source with more data")
        << sd << QByteArray("\xA0\x00\x01", 3) + trackText("X}Y") << bt << false << "old artist"
        << "old title" << QStringList{"08 30 | A0"};
    QTest::newRow("audio off empties the texts")
        << sd << QByteArray("\x80", 1) << off << false << ""
        << "" << QStringList{"08 30 | 80"};
    QTest::newRow("audio off with the paused flag")
        << sd << QByteArray("\x80\x00\x01", 3) << off << true << ""
        << "" << QStringList{"08 30 | 80"};
    QTest::newRow("unknown state is still passed on")
        << sd << QByteArray("\x55\x00\x01", 3) << sd << false << "old artist"
        << "old title" << QStringList{"08 30 | 55"};
    QTest::newRow("empty data is not passed on")
        << sd << QByteArray() << sd << false << "old artist"
        << "old title" << QStringList{};
}

void TestBoardTelegrams::audioPlayerState()
{
    QFETCH(int, initialSource);
    QFETCH(QByteArray, data);
    QFETCH(int, source);
    QFETCH(bool, paused);
    QFETCH(QString, interpreter);
    QFETCH(QString, title);
    QFETCH(QStringList, sent);

    resetMedia(EnumProviderClass::AudioSource(initialSource));
    TelegramCapture capture;
    AudioControllerTelegrams decoder;
    decoder.decode(telegram(AudioBoard, 0x30, data));

    QCOMPARE(int(media().audioSource()), source);
    QCOMPARE(media().audioPaused(), paused);
    QCOMPARE(media().musicInterpreter(), interpreter);
    QCOMPARE(media().musicTitel(), title);
    QCOMPARE(capture.sent(), sent);
}

void TestBoardTelegrams::audioVolume_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("steps");

    // percent from the board -> steps 0..20, rounded half up
    QTest::newRow("12 percent") << QByteArray("\x0C", 1) << 2;
    QTest::newRow("low 8 bits of 0x010C") << QByteArray("\x01\x0C", 2) << 2;
    QTest::newRow("52 percent") << QByteArray("\x34", 1) << 10;
    QTest::newRow("53 percent") << QByteArray("\x35", 1) << 11;
    QTest::newRow("100 percent") << QByteArray("\x64", 1) << 20;
    QTest::newRow("four bytes, big-endian") << QByteArray("\x00\x00\x00\x32", 4) << 10;
    QTest::newRow("more than four significant bytes give 0")
        << QByteArray("\x01\x00\x00\x00\x32", 5) << 0;
    QTest::newRow("no data gives 0") << QByteArray() << 0;
}

void TestBoardTelegrams::audioVolume()
{
    QFETCH(QByteArray, data);
    QFETCH(int, steps);

    media().onAudioVolumeChanged(100); // 20 steps, so a 0 shows up
    AudioControllerTelegrams decoder;
    decoder.decode(telegram(AudioBoard, 0x33, data));
    QCOMPARE(int(media().audioVolume()), steps);
}

void TestBoardTelegrams::audioCurrentFolder()
{
    resetMedia(EnumProviderClass::SDCARD);
    folders().clearAll();
    AudioControllerTelegrams decoder;
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(1, "Jazz")));
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(2, "Rock")));

    QSignalSpy dirSpy(&media(), &MediaController::audioDirChanged);
    QSignalSpy folderSpy(&folders(), &AudioModel::currentAudioFolderChanged);
    QTest::ignoreMessage(QtDebugMsg, "CURRENT DIR: Rock");
    decoder.decode(telegram(AudioBoard, 0x31, QByteArray("Rock  \0", 7)));
    QCOMPARE(media().audioDir(), QStringLiteral("Rock"));
    QCOMPARE(dirSpy.count(), 1);
    QCOMPARE(folderRows(), (QStringList{"0:Jazz", "1:Rock*"}));
    QCOMPARE(folders().currentAudioFolder(), QStringLiteral("Rock"));
    QCOMPARE(folderSpy.count(), 1);

    // Leading blanks are trimmed; the mark moves to exactly that name.
    decoder.decode(telegram(AudioBoard, 0x31, QByteArray(" Jazz\0\0", 7)));
    QCOMPARE(media().audioDir(), QStringLiteral("Jazz"));
    QCOMPARE(folderRows(), (QStringList{"0:Jazz*", "1:Rock"}));

    // The same folder again changes nothing.
    decoder.decode(telegram(AudioBoard, 0x31, QByteArray("Jazz")));
    QCOMPARE(dirSpy.count(), 2);
}

void TestBoardTelegrams::audioCurrentFolderName_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("dir");

    QTest::newRow("trailing blanks and zero") << QByteArray("Rock  \0", 7) << "Rock";
    QTest::newRow("leading blanks") << QByteArray("  Jazz", 6) << "Jazz";
    QTest::newRow("blank inside the name stays") << QByteArray("Hard Rock \0\0", 12) << "Hard Rock";
    QTest::newRow("the name ends at its first zero byte")
        << QByteArray("Rock\0old name", 13) << "Rock";
    QTest::newRow("blanks before the zero byte of a reused buffer")
        << QByteArray("Rock  \0Classic", 14) << "Rock";
    QTest::newRow("latin-1") << QByteArray("Caf\xE9", 4) << QString::fromLatin1("Caf\xE9");
    QTest::newRow("only blanks and zeros") << QByteArray(" \0 \0", 4) << "";
}

void TestBoardTelegrams::audioCurrentFolderName()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, dir);

    media().setAudioDir(QStringLiteral("previous"));
    folders().clearAll();
    AudioControllerTelegrams decoder;
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(1, dir.toLatin1())));
    decoder.decode(telegram(AudioBoard, 0x31, data));
    QCOMPARE(media().audioDir(), dir);
    // The folder of that name in the list is the current one.
    QCOMPARE(folders().index(0).data(AudioModel::IsCurrentRole).toBool(), true);
}

void TestBoardTelegrams::audioFolderList()
{
    resetMedia(EnumProviderClass::SDCARD);
    media().setAudioDir(QStringLiteral("Pop"));
    TelegramCapture capture;
    folders().requestAudioDirList(); // starts from an empty list
    QCOMPARE(capture.sent(), QStringList{"F2 92 |"});
    QCOMPARE(folders().rowCount(), 0);

    AudioControllerTelegrams decoder;
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(1, "Classic")));
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(2, "  Pop ")));
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(3, QByteArray("Lou\0nge", 7))));
    // too short to carry a name
    decoder.decode(telegram(AudioBoard, 0x32, QByteArray("\x04\x00\x00", 3)));
    // the same entry again
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(1, "Classic")));
    QCOMPARE(folderRows(), (QStringList{"0:Classic", "1:Pop*", "2:Lou"}));

    // A new request starts over.
    folders().requestAudioDirList();
    QCOMPARE(folders().rowCount(), 0);
}

void TestBoardTelegrams::audioFolderListLimit()
{
    resetMedia(EnumProviderClass::SDCARD);
    folders().clearAll();
    AudioControllerTelegrams decoder;
    for (int number = 1; number <= 11; ++number)
        decoder.decode(
            telegram(AudioBoard, 0x32, folderEntry(number, "Folder" + QByteArray::number(number))));
    QCOMPARE(folders().rowCount(), 10);
    QCOMPARE(folders().index(9).data(AudioModel::DirectoryNameRole).toString(),
             QStringLiteral("Folder10"));
    QVERIFY(!folders().index(10).data(AudioModel::DirectoryNameRole).isValid());
    QVERIFY(!folders().index(0).data(Qt::DisplayRole).isValid());
}

void TestBoardTelegrams::audioFolderRenamed()
{
    // A folder number reported again under another name replaces its row
    // instead of adding a second row with the same number.
    resetMedia(EnumProviderClass::SDCARD);
    folders().clearAll();
    AudioControllerTelegrams decoder;
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(1, "Old")));
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(2, "Other")));
    QSignalSpy inserted(&folders(), &QAbstractItemModel::rowsInserted);
    decoder.decode(telegram(AudioBoard, 0x32, folderEntry(1, "New")));
    QCOMPARE(folderRows(), (QStringList{"0:New", "1:Other"}));
    QCOMPARE(inserted.count(), 0);
}

void TestBoardTelegrams::audioErrorsAndUnknownCommands()
{
    resetMedia(EnumProviderClass::SDCARD);
    AudioControllerTelegrams decoder;
    QSignalSpy errors(&decoder, &AudioControllerTelegrams::audioControllerErrorTelegram);
    TelegramCapture capture;

    decoder.decode(telegram(AudioBoard, 0x00, QByteArray()));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Unknown telegram!"));

    QTest::ignoreMessage(QtDebugMsg, "COMMAND: 69");
    decoder.decode(telegram(AudioBoard, 0x45, QByteArray("\x90", 1)));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(int(media().audioSource()), int(EnumProviderClass::SDCARD));
    QCOMPARE(media().musicTitel(), QStringLiteral("old title"));
    QCOMPARE(capture.sent(), QStringList());
}

void TestBoardTelegrams::bluetoothTrackInfo_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("interpreter");
    QTest::addColumn<QString>("title");

    const int bt = EnumProviderClass::BLUETOOTH;
    const int sd = EnumProviderClass::SDCARD;
    QTest::newRow("artist, song and album") << bt << trackText("Artist}Song~Album") << "Artist"
                                            << "Song";
    QTest::newRow("without album") << bt << trackText("Artist}Song") << "Artist"
                                   << "Song";
    QTest::newRow("latin-1 title, utf-8 interpreter")
        << bt << trackText("\xC3\x89l\xC3\xA8ve}Fr\xE8re~x")
        << QString::fromUtf8("\xC3\x89l\xC3\xA8ve") << QString::fromLatin1("Fr\xE8re");
    QTest::newRow("while the sd card plays") << sd << trackText("Artist}Song~Album") << "old artist"
                                             << "old title";
    QTest::newRow("without separator") << bt << trackText("Artist Song") << "old artist"
                                       << "old title";
    QTest::newRow("three bytes are too short") << bt << QByteArray("A}B") << "old artist"
                                               << "old title";
}

void TestBoardTelegrams::bluetoothTrackInfo()
{
    QFETCH(int, source);
    QFETCH(QByteArray, data);
    QFETCH(QString, interpreter);
    QFETCH(QString, title);

    resetMedia(EnumProviderClass::AudioSource(source));
    BluetoothControllerTelegrams decoder;
    decoder.decode(telegram(BluetoothBoard, 0x32, data));
    QCOMPARE(media().musicInterpreter(), interpreter);
    QCOMPARE(media().musicTitel(), title);
}

void TestBoardTelegrams::bluetoothErrorsAndUnknownCommands()
{
    resetMedia(EnumProviderClass::BLUETOOTH);
    BluetoothControllerTelegrams decoder;
    QSignalSpy errors(&decoder, &BluetoothControllerTelegrams::bluetoothControllerErrorTelegram);
    decoder.decode(telegram(BluetoothBoard, 0x00, QByteArray()));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Unknown telegram!"));

    decoder.decode(telegram(BluetoothBoard, 0x33, trackText("Artist}Song")));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(media().musicTitel(), QStringLiteral("old title"));
}

void TestBoardTelegrams::volumeReportsAlwaysEmit()
{
    QSignalSpy spy(&media(), &MediaController::audioVolumeChanged);
    media().onAudioVolumeChanged(50);
    media().onAudioVolumeChanged(50);
    QCOMPARE(spy.count(), 2);

    // A local change waits for the board's report.
    TelegramCapture capture;
    media().setAudioVolume(4);
    QCOMPARE(spy.count(), 2);
}

void TestBoardTelegrams::convertAudioSource_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("voiceGuide");
    QTest::addColumn<QString>("text");

    QTest::newRow("off") << int(EnumProviderClass::AUDIOOFF) << false << "Aus";
    QTest::newRow("off with voice guide") << int(EnumProviderClass::AUDIOOFF) << true << "Info";
    QTest::newRow("sd card") << int(EnumProviderClass::SDCARD) << true << "Intern";
    QTest::newRow("bluetooth") << int(EnumProviderClass::BLUETOOTH) << false
                               << QString::fromUtf8("Bluetooth \xC2\xAE");
    QTest::newRow("undefined") << int(EnumProviderClass::AUDIO_SOURCE_UNDEFINED) << true << "";
}

void TestBoardTelegrams::convertAudioSource()
{
    QFETCH(int, source);
    QFETCH(bool, voiceGuide);
    QFETCH(QString, text);

    ApplicationController::instance()->deviceController().onSwitchVoiceGuideOnChanged(voiceGuide);
    QCOMPARE(media().convertAudioSource(EnumProviderClass::AudioSource(source)), text);
}

void TestBoardTelegrams::routedBySender()
{
    // The telegram manager picks the decoder by the sender address.
    resetMedia(EnumProviderClass::BLUETOOTH);
    TelegramManager* manager = TelegramManager::instance();
    manager->onTelegramArrived(telegram(AudioBoard, 0x33, QByteArray("\x64", 1)));
    QCOMPARE(int(media().audioVolume()), 20);
    manager->onTelegramArrived(telegram(BluetoothBoard, 0x32, trackText("Band}Tune~Record")));
    QCOMPARE(media().musicInterpreter(), QStringLiteral("Band"));
    QCOMPARE(media().musicTitel(), QStringLiteral("Tune"));
    // A board error is only logged.
    QTest::ignoreMessage(QtDebugMsg, "Unknown telegram!");
    manager->onTelegramArrived(telegram(AudioBoard, 0x00, QByteArray()));
    QCOMPARE(media().musicTitel(), QStringLiteral("Tune"));
}

QTEST_MAIN(TestBoardTelegrams)
#include "tst_boardtelegrams.moc"
