// Every user operation of the spa, media, audio list, language, NFC,
// Bluetooth and quick-start objects, and the exact telegrams it sends.
#include "telegramcapture.h"

#include "controllers/audiomodel.h"
#include "controllers/bluetoothcontroller.h"
#include "controllers/languagecontroller.h"
#include "controllers/languagemodel.h"
#include "controllers/mediacontroller.h"
#include "controllers/nfccontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "controllers/spacontroller.h"
#include "types/enumproviderclass.h"

#include <QtTest>

#include <functional>
#include <memory>

using Step = std::function<void()>;
Q_DECLARE_METATYPE(Step)

namespace {

// Fresh objects per row, so no row depends on what an earlier one left.
struct Objects
{
    SpaController spa;
    MediaController media;
    AudioModel audioModel;
    std::unique_ptr<LanguageController> language;
    NfcController nfc;
    BluetoothController bluetooth;
    QuickstartButtonInfoModel quickstart;
};
Objects* g = nullptr;

WireRecord colourRecord(qint32 value)
{
    WireRecord r;
    r.id = 10039;
    r.def = 0;
    r.value = value;
    r.min = 0;
    r.max = 5;
    r.step = 2;
    r.divider = 1;
    r.type = 0;
    r.action = 0;
    r.message = 0;
    r.message2 = 0;
    r.current = 7;
    return r;
}

WireRecord languageRecord()
{
    WireRecord r;
    r.id = 10036;
    r.def = 0;
    r.value = 1;
    r.min = 0x3;       // guests: German, English
    r.max = 0x1FFFFFF; // operator: all 25
    r.step = 1;
    r.divider = 0;
    r.type = 0;
    r.action = 0;
    r.message = 0;
    r.message2 = 0;
    r.current = 0;
    return r;
}

WireRecord quickstartRecord(quint32 packed)
{
    WireRecord r;
    r.id = 10037;
    r.def = 0x0201;
    r.value = qint32(packed);
    r.min = 0;
    r.max = -1;
    r.step = 1;
    r.divider = 0;
    r.type = 0;
    r.action = 0;
    r.message = 0;
    r.message2 = 0;
    r.current = 0;
    return r;
}

QString bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return QString::fromLatin1(b.toHex(' ')).toUpper();
}

} // namespace

class TestOutgoingTelegrams : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TelegramCapture::settleStartup(); }
    void init()
    {
        g = new Objects;
        g->language.reset(new LanguageController);
    }
    void cleanup()
    {
        delete g;
        g = nullptr;
    }

    void operation_data();
    void operation();
};

void TestOutgoingTelegrams::operation_data()
{
    QTest::addColumn<Step>("setup");
    QTest::addColumn<Step>("operation");
    QTest::addColumn<QStringList>("expected");

    const Step none = [] {};

    // --- spa: aroma codes --------------------------------------------------
    {
        WireRecord stored;
        stored.id = 10038;
        stored.def = 0;
        stored.value = 257;
        stored.min = 0;
        stored.max = 259;
        stored.step = 1;
        stored.divider = 0;
        stored.type = 0;
        stored.action = 0;
        stored.message = 0;
        stored.message2 = 0;
        const Step setup = [stored] { g->spa.onAromaProgramChanged(stored.record()); };
        for (int level : {0, 1, 2, 3, 4, -1}) {
            WireRecord sent = stored;
            sent.value = (level >= 1 && level <= 3) ? 0x100 + level : 0;
            QTest::addRow("aroma value level %d", level)
                << setup << Step([level] { g->spa.setAromaProgramValue(level); })
                << QStringList{sent.write()};
        }
        WireRecord sentDef = stored;
        sentDef.def = 259;
        QTest::newRow("aroma default level 3")
            << setup << Step([] { g->spa.setAromaProgramDef(3); }) << QStringList{sentDef.write()};
        WireRecord sentDefOff = stored;
        sentDefOff.def = 0;
        QTest::newRow("aroma default out of range is off")
            << setup << Step([] { g->spa.setAromaProgramDef(7); })
            << QStringList{sentDefOff.write()};
    }
    QTest::newRow("aroma write before any report carries the record defaults")
        << none << Step([] { g->spa.setAromaProgramValue(2); }) << QStringList{[] {
               WireRecord r;
               r.id = 10038;
               r.value = 258;
               return r.write();
           }()};

    // --- spa: colour light ------------------------------------------------
    {
        // mode 1, green 255
        const WireRecord stored = colourRecord(0x00FF0001);
        const Step setup = [stored] { g->spa.onSpaColorProgramChanged(stored.record()); };
        WireRecord keep = stored;
        keep.value = 0x00FF0004;
        QTest::newRow("colour mode keeps the individual colour")
            << setup << Step([] { g->spa.setColorLightMode(4, false); })
            << QStringList{keep.write()};
        WireRecord clear = stored;
        clear.value = 4;
        QTest::newRow("colour mode with individual light off clears the colour")
            << setup << Step([] { g->spa.setColorLightMode(4, true); })
            << QStringList{clear.write()};
        QTest::newRow("colour mode equal to the stored one sends nothing")
            << setup << Step([] { g->spa.setColorLightMode(1); }) << QStringList{};
        WireRecord def = stored;
        def.def = 5;
        QTest::newRow("colour mode default")
            << setup << Step([] { g->spa.setColorLightModeDef(5); }) << QStringList{def.write()};
        WireRecord step = stored;
        step.step = 3;
        QTest::newRow("colour program intensity in step")
            << setup << Step([] { g->spa.setColorLightModeIntensity(3); })
            << QStringList{step.write()};
        WireRecord divider = stored;
        divider.divider = 2;
        QTest::newRow("beauty light intensity in divider")
            << setup << Step([] { g->spa.setBeautyLightIntensity(2); })
            << QStringList{divider.write()};
    }
    {
        const WireRecord stored = colourRecord(0x00000002);
        const Step setup = [stored] { g->spa.onSpaColorProgramChanged(stored.record()); };
        WireRecord rgb = stored;
        rgb.value = 0x0000FF02;
        QTest::newRow("colour rgb keeps the mode byte")
            << setup << Step([] { g->spa.setColorLightRgb(255, 0, 0); })
            << QStringList{rgb.write()};
        WireRecord all = stored;
        all.value = int(0x30201002u);
        QTest::newRow("colour rgb byte order red green blue")
            << setup << Step([] { g->spa.setColorLightRgb(0x10, 0x20, 0x30); })
            << QStringList{all.write()};
        QTest::newRow("colour rgb sends even when unchanged")
            << Step([] { g->spa.onSpaColorProgramChanged(colourRecord(0x0000FF02).record()); })
            << Step([] { g->spa.setColorLightRgb(255, 0, 0); }) << QStringList{rgb.write()};
    }

    // --- spa: effect illumination (id 10046) -----------------------------
    {
        WireRecord stored = colourRecord(0x00800003);
        stored.id = 10046;
        const Step setup = [stored] { g->spa.onEffectIlluminationChanged(stored.record()); };
        WireRecord mode = stored;
        mode.value = 0x00800001;
        QTest::newRow("effect mode keeps the colour")
            << setup << Step([] { g->spa.setEffectIlluminationMode(1); })
            << QStringList{mode.write()};
        WireRecord off = stored;
        off.value = 1;
        QTest::newRow("effect mode with individual light off")
            << setup << Step([] { g->spa.setEffectIlluminationMode(1, true); })
            << QStringList{off.write()};
        QTest::newRow("effect mode unchanged sends nothing")
            << setup << Step([] { g->spa.setEffectIlluminationMode(3); }) << QStringList{};
        WireRecord rgb = stored;
        rgb.value = int(0x03020103u);
        QTest::newRow("effect rgb")
            << setup << Step([] { g->spa.setEffectIlluminationRgb(1, 2, 3); })
            << QStringList{rgb.write()};
    }

    // --- media: volume scaling ------------------------------------------
    for (const auto& row : {std::pair<int, int>{20, 100}, {7, 35}, {0, 0}, {1, 5}, {13, 65}}) {
        QTest::addRow("volume %d steps", row.first)
            << none << Step([row] { g->media.setAudioVolume(uint8_t(row.first)); })
            << QStringList{"F2 B3 | " + bytes({row.second, 0, 0})};
    }

    // --- media: source selection ------------------------------------------
    const struct
    {
        const char* name;
        EnumProviderClass::AudioSource source;
        QString select;
    } sources[] = {
        {"source off", EnumProviderClass::AUDIOOFF, "F2 B0 | 80"},
        {"source sd card", EnumProviderClass::SDCARD, "F2 B0 | 91"},
        {"source bluetooth", EnumProviderClass::BLUETOOTH, "F2 B0 | A1"},
        {"source undefined", EnumProviderClass::AUDIO_SOURCE_UNDEFINED, "F2 B0 |"},
    };
    for (const auto& row : sources) {
        const auto source = row.source;
        QTest::newRow(row.name) << none << Step([source] { g->media.setAudioSource(source); })
                                << QStringList{"F2 B5 |", row.select};
    }

    // --- media: transport commands ---------------------------------------
    const struct
    {
        const char* name;
        void (MediaController::*op)();
        int code;
    } transports[] = {
        {"play", &MediaController::playAudio, 133},
        {"pause", &MediaController::pauseAudio, 134},
        {"previous title", &MediaController::previousAudioTitle, 131},
        {"next title", &MediaController::nextAudioTitle, 130},
    };
    for (const auto& row : transports) {
        const auto op = row.op;
        const QString code = bytes({row.code});
        QTest::addRow("%s from the sd card", row.name)
            << Step([] { g->media.onAudioSourceChanged(EnumProviderClass::SDCARD); })
            << Step([op] { (g->media.*op)(); }) << QStringList{"F2 B5 |", "F2 B0 | " + code};
        QTest::addRow("%s with audio off", row.name) << none << Step([op] { (g->media.*op)(); })
                                                     << QStringList{"F2 B5 |", "F2 B0 | " + code};
        QTest::addRow("%s from bluetooth", row.name)
            << Step([] { g->media.onAudioSourceChanged(EnumProviderClass::BLUETOOTH); })
            << Step([op] { (g->media.*op)(); }) << QStringList{"98 B0 | " + code};
    }

    // --- audio folder list ------------------------------------------------
    QTest::newRow("folder list request")
        << none << Step([] { g->audioModel.requestAudioDirList(); }) << QStringList{"F2 92 |"};
    QTest::newRow("folder selection")
        << none << Step([] { g->audioModel.setCurrentAudioFolder(3); })
        << QStringList{"F2 B1 | 03"};

    // --- language ---------------------------------------------------------
    {
        const WireRecord stored = languageRecord();
        const Step setup = [stored] { g->language->onLanguageReported(stored.record()); };
        QTest::newRow("language request")
            << none << Step([] { g->language->requestValues(); }) << QStringList{"08 89 | 34 27"};
        QTest::newRow("language list request")
            << none << Step([] { g->language->languageModel()->requestLanguagesList(); })
            << QStringList{"08 89 | 34 27"};
        WireRecord value = stored;
        value.value = 24;
        QTest::newRow("language choice")
            << setup << Step([] { g->language->setLanguage(EnumProviderClass::AMERICAN); })
            << QStringList{value.write()};
        WireRecord def = stored;
        def.def = 9;
        QTest::newRow("default language")
            << setup << Step([] { g->language->setDefaultLanguage(EnumProviderClass::DUTCH); })
            << QStringList{def.write()};
        WireRecord guests = stored;
        guests.min = 0x7; // bit 2 (Danish) added, 0 and 1 kept
        QTest::newRow("guest mask with a language added") << setup << Step([] {
            LanguageModel* model = g->language->languageModel();
            QVERIFY(model->setData(model->index(2), true, LanguageModel::UserSelectableRole));
            g->language->updateUserSelectableLanguage();
        }) << QStringList{guests.write()};
        WireRecord removed = stored;
        removed.min = 0x1;
        QTest::newRow("guest mask with a language removed") << setup << Step([] {
            LanguageModel* model = g->language->languageModel();
            QVERIFY(model->setData(model->index(1), false, LanguageModel::UserSelectableRole));
            g->language->updateUserSelectableLanguage();
        }) << QStringList{removed.write()};
        WireRecord high = stored;
        high.min = int(0x80000003u);
        QTest::newRow("guest mask keeps bits the list does not show")
            << Step([high] { g->language->onLanguageReported(high.record()); })
            << Step([] { g->language->updateUserSelectableLanguage(); })
            << QStringList{high.write()};
    }

    // --- NFC recharge -----------------------------------------------------
    {
        WireRecord r;
        r.id = 10049;
        r.def = 0xFFFF;
        r.value = 10;
        r.step = 0xFFFF;
        r.divider = 0xFFFF;
        r.type = EnumProviderClass::PARAM_TYPE_SESSION;
        r.action = EnumProviderClass::WRITE;
        r.message2 = 0xFF;
        r.current = 0;
        QTest::newRow("nfc recharge sessions") << Step([] {
            // A reported card must not leak into the recharge record.
            WireRecord card;
            card.id = 10049;
            card.def = 1;
            card.value = 3;
            card.action = EnumProviderClass::READ;
            card.message2 = 2;
            card.current = 5;
            g->nfc.onNfcTagCreditChanged(card.record());
        }) << Step([] {
            g->nfc.rechargeMassageCredit(EnumProviderClass::WRITE,
                                         EnumProviderClass::PARAM_TYPE_SESSION, 10);
        }) << QStringList{r.write()};
        WireRecord minutes = r;
        minutes.value = 90;
        minutes.type = EnumProviderClass::PARAM_TYPE_MINUTES;
        minutes.action = EnumProviderClass::RESET;
        QTest::newRow("nfc recharge minutes") << none << Step([] {
            g->nfc.rechargeMassageCredit(EnumProviderClass::RESET,
                                         EnumProviderClass::PARAM_TYPE_MINUTES, 90);
        }) << QStringList{minutes.write()};
    }

    // --- Bluetooth --------------------------------------------------------
    {
        WireRecord r;
        r.id = 10016;
        r.value = 1;
        r.current = 0;
        QTest::newRow("bluetooth state")
            << none << Step([] { g->bluetooth.setBluetoothState(1); }) << QStringList{r.write()};
        const QString name30 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        QTest::newRow("bluetooth name cut to 21 bytes")
            << none << Step([name30] { g->bluetooth.setBluetoothDeviceName(name30); })
            << QStringList{"08 A9 | 46 01 " +
                           QString::fromLatin1(name30.left(21).toLatin1().toHex(' ')).toUpper()};
        QTest::newRow("bluetooth name padded with zero bytes")
            << none << Step([] { g->bluetooth.setBluetoothDeviceName(QStringLiteral("Velia")); })
            << QStringList{"08 A9 | 46 01 56 65 6C 69 61" + QString(" 00").repeated(16)};
        QTest::newRow("bluetooth name in latin-1")
            << none << Step([] { g->bluetooth.setBluetoothDeviceName(QStringLiteral("Liege ä")); })
            << QStringList{"08 A9 | 46 01 4C 69 65 67 65 20 E4" + QString(" 00").repeated(14)};
    }

    // --- quick-start buttons ----------------------------------------------
    {
        // A=4, B=51, C=100, D=1 at positions 0..3
        const WireRecord stored = quickstartRecord(0x01643304);
        const Step setup = [stored] {
            g->quickstart.onQuickstartButtonConfigChanged(stored.record());
        };
        QTest::newRow("quick-start unchanged order")
            << setup << Step([] { g->quickstart.updateControllerQuickstartButtonConfig(); })
            << QStringList{stored.write()};
        WireRecord moved = stored;
        moved.value = 0x04016433; // B, C, D, A
        QTest::newRow("quick-start after moving the first button last") << setup << Step([] {
            QVERIFY(g->quickstart.setData(g->quickstart.index(0), QVariantList{0, 3},
                                          QuickstartButtonInfoModel::MoveIndexesRole));
            g->quickstart.updateControllerQuickstartButtonConfig();
        }) << QStringList{moved.write()};
        WireRecord edited = stored;
        edited.value = 0x01643306; // position 0 now BC_POINT
        QTest::newRow("quick-start after choosing another button") << setup << Step([] {
            QVERIFY(g->quickstart.setData(g->quickstart.index(0), 6,
                                          QuickstartButtonInfoModel::BodyAreaEnumRole));
            g->quickstart.updateControllerQuickstartButtonConfig();
        }) << QStringList{edited.write()};
        QTest::newRow("quick-start without rows sends nothing")
            << none << Step([] { g->quickstart.updateControllerQuickstartButtonConfig(); })
            << QStringList{};
    }
}

void TestOutgoingTelegrams::operation()
{
    QFETCH(Step, setup);
    QFETCH(Step, operation);
    QFETCH(QStringList, expected);

    setup();
    TelegramCapture capture;
    operation();
    QCOMPARE(capture.sent(), expected);
}

QTEST_MAIN(TestOutgoingTelegrams)
#include "tst_outgoingtelegrams.moc"
