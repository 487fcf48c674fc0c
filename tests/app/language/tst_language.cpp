// Language reports, translation loading, the language list and the guest
// mask, with the panel's compiled translations in the resources.
#include "controllers/languagecontroller.h"
#include "controllers/languagemodel.h"
#include "controllers/spacontroller.h"
#include "core/telegrammanager.h"
#include "types/enumproviderclass.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QtTest>

namespace {

telegram_param_def languageRecord(qint32 value, quint16 def = 0, qint32 guests = 0x3,
                                  qint32 operatorMask = 0x1FFFFFF)
{
    telegram_param_def r;
    r.id = EnumProviderClass::PARAM_LANGUAGE;
    r.def = def;
    r.value = value;
    r.min = guests;
    r.max = operatorMask;
    r.step = 1;
    r.divider = 0;
    r.type = 0;
    r.action = 0;
    r.message = 0;
    r.message2 = 0;
    r.current = 0;
    return r;
}

struct Spies
{
    explicit Spies(LanguageController& c)
        : language(&c, &LanguageController::languageChanged),
          svg(&c, &LanguageController::currentSvgFilenameChanged),
          abbreviation(&c, &LanguageController::abbreviationChanged),
          defaultLanguage(&c, &LanguageController::defaultLanguageChanged),
          selectable(&c, &LanguageController::selectableLanguageChanged)
    {}
    int total() const
    {
        return language.count() + svg.count() + abbreviation.count() + defaultLanguage.count() +
               selectable.count();
    }
    QSignalSpy language, svg, abbreviation, defaultLanguage, selectable;
};

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void reportAppliesLanguage_data();
    void reportAppliesLanguage();
    void translationFiles_data();
    void translationFiles();
    void missingTranslationIsRetried();
    void identicalReportChangesNothing();
    void defaultLanguageOnlyChange();
    void modelFromMasks();
    void userSelectableList();
    void modelEditing();
    void displayNames_data();
    void displayNames();
    void translatedNamesFollowTheLanguage();
    void englishDisplayNames_data();
    void englishDisplayNames();
};

void TestLanguage::reportAppliesLanguage_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("svg");
    QTest::addColumn<QString>("abbreviation");
    QTest::addColumn<QString>("germanName"); // convertLanguageEnum(GERMAN) afterwards

    QTest::newRow("american") << 24 << "the_united_states.svg"
                              << "US"
                              << "German";
    QTest::newRow("english") << 1 << "united_kingdom.svg"
                             << "EN"
                             << "German";
    QTest::newRow("croatian falls back to english without a flag") << 19 << ""
                                                                   << "EN"
                                                                   << "German";
    QTest::newRow("german") << 0 << "germany.svg"
                            << "DE"
                            << "Deutsch";
    QTest::newRow("hungarian") << 17 << "hungary.svg"
                               << "HU"
                               << "Deutsch";
    QTest::newRow("unknown value falls back to english") << 40 << "united_kingdom.svg"
                                                         << "EN"
                                                         << "German";
}

void TestLanguage::reportAppliesLanguage()
{
    QFETCH(int, value);
    QFETCH(QString, svg);
    QFETCH(QString, abbreviation);
    QFETCH(QString, germanName);

    LanguageController controller;
    Spies spies(controller);
    controller.onLanguageReported(languageRecord(value, 5));

    QCOMPARE(controller.language().value, value);
    QCOMPARE(controller.currentSvgFilename(), svg);
    QCOMPARE(controller.abbreviation(), abbreviation);
    QCOMPARE(controller.defaultLanguage(), 5);
    QCOMPARE(spies.language.count(), 1);
    QCOMPARE(spies.svg.count(), svg.isEmpty() ? 0 : 1);
    QCOMPARE(spies.abbreviation.count(), 1);
    QCOMPARE(spies.defaultLanguage.count(), 1);
    QCOMPARE(spies.selectable.count(), 1);
    QCOMPARE(controller.convertLanguageEnum(EnumProviderClass::GERMAN), germanName);
}

void TestLanguage::translationFiles_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("available");

    // The resources carry de_de, en_gb, us_en, dk_dk, lt_lt, lv_lv, nl_nl,
    // fr_fr, it_it, es_es, pl_pl and hu_hu; the other codes have no file.
    const QList<int> available{0, 1, 2, 7, 8, 9, 10, 11, 12, 15, 17, 18, 19, 20, 21, 22, 24};
    for (int language = 0; language < LanguageModel::LanguageCount; ++language) {
        QTest::addRow("%s", qPrintable(LanguageController::localeCode(language) + " for " +
                                       QString::number(language)))
            << language << available.contains(language);
    }
}

void TestLanguage::translationFiles()
{
    QFETCH(int, language);
    QFETCH(bool, available);

    LanguageController controller;
    if (!available)
        QTest::ignoreMessage(QtWarningMsg, "Could not set language");
    controller.onSetLanguage(languageRecord(language));
    QCOMPARE(controller.language().value == language, available);
}

void TestLanguage::missingTranslationIsRetried()
{
    LanguageController controller;
    controller.onLanguageReported(languageRecord(EnumProviderClass::ENGLISH));
    QCOMPARE(controller.abbreviation(), QStringLiteral("EN"));
    const QString englishGerman = controller.convertLanguageEnum(EnumProviderClass::GERMAN);

    Spies spies(controller);
    // Swedish has no translation file: English stays in force.
    QTest::ignoreMessage(QtWarningMsg, "Could not set language");
    controller.onLanguageReported(languageRecord(EnumProviderClass::SWEDISH));
    QCOMPARE(controller.language().value, int(EnumProviderClass::ENGLISH));
    QCOMPARE(controller.abbreviation(), QStringLiteral("EN"));
    QCOMPARE(controller.currentSvgFilename(), QStringLiteral("united_kingdom.svg"));
    QCOMPARE(controller.convertLanguageEnum(EnumProviderClass::GERMAN), englishGerman);
    QCOMPARE(spies.language.count(), 0);
    QCOMPARE(spies.abbreviation.count(), 0);

    // The record was not kept, so the same report is tried again.
    QTest::ignoreMessage(QtWarningMsg, "Could not set language");
    controller.onLanguageReported(languageRecord(EnumProviderClass::SWEDISH));
    QCOMPARE(spies.language.count(), 0);
}

void TestLanguage::identicalReportChangesNothing()
{
    LanguageController controller;
    controller.onLanguageReported(languageRecord(EnumProviderClass::AMERICAN, 2));
    Spies spies(controller);
    controller.onLanguageReported(languageRecord(EnumProviderClass::AMERICAN, 2));
    QCOMPARE(spies.total(), 0);
    QCOMPARE(controller.languageModel()->rowCount(), LanguageModel::LanguageCount);
}

void TestLanguage::defaultLanguageOnlyChange()
{
    LanguageController controller;
    controller.onLanguageReported(languageRecord(EnumProviderClass::ENGLISH, 0));
    Spies spies(controller);
    // Same language, another default and another guest mask: the list is
    // rebuilt and the default follows, but the language is not reloaded.
    controller.onLanguageReported(languageRecord(EnumProviderClass::ENGLISH, 9, 0x7));
    QCOMPARE(spies.language.count(), 0);
    QCOMPARE(spies.abbreviation.count(), 0);
    QCOMPARE(spies.defaultLanguage.count(), 1);
    QCOMPARE(spies.selectable.count(), 1);
    QCOMPARE(controller.defaultLanguage(), 9);
    QCOMPARE(controller.language().min, 0x7);
    QCOMPARE(controller.languageModel()->index(2).data(LanguageModel::UserSelectableRole).toBool(),
             true);
}

void TestLanguage::modelFromMasks()
{
    LanguageModel model;
    model.refill(/*operator*/ 0x1000005, /*guests*/ 0x2);
    QCOMPARE(model.rowCount(), 25);
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex i = model.index(row);
        if (i.data(LanguageModel::OperatorSelectableRole).toBool() ||
            i.data(LanguageModel::UserSelectableRole).toBool())
            rows << QStringLiteral("%1 op=%2 user=%3 flag=%4")
                        .arg(i.data(LanguageModel::LanguageEnumRole).toInt())
                        .arg(i.data(LanguageModel::OperatorSelectableRole).toBool())
                        .arg(i.data(LanguageModel::UserSelectableRole).toBool())
                        .arg(i.data(LanguageModel::FlagFileRole).toString());
    }
    QCOMPARE(rows,
             (QStringList{"0 op=1 user=0 flag=germany.svg", "1 op=0 user=1 flag=united_kingdom.svg",
                          "2 op=1 user=0 flag=denmark.svg",
                          "24 op=1 user=0 flag=the_united_states.svg"}));
    QCOMPARE(model.roleNames().value(257), QByteArray("languageEnum"));
    QCOMPARE(model.roleNames().value(260), QByteArray("flagFile"));
    QVERIFY(!model.index(0).data(Qt::DisplayRole).isValid());
}

void TestLanguage::userSelectableList()
{
    LanguageController controller;
    controller.updateSelectableLanguages(languageRecord(0, 0, 0x3));
    QCOMPARE(controller.userSelectableList(), (QStringList{"Deutsch", "Englisch"}));
    controller.updateSelectableLanguages(languageRecord(0, 0, 0x1000001));
    QCOMPARE(controller.userSelectableList(), (QStringList{"Deutsch", "Englisch"}));
}

void TestLanguage::modelEditing()
{
    LanguageModel model;
    model.refill(0, 0);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(3), true, LanguageModel::UserSelectableRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 3);
    QVERIFY(model.index(3).data(LanguageModel::UserSelectableRole).toBool());
    // Only the guest flag is editable.
    QVERIFY(!model.setData(model.index(3), true, LanguageModel::OperatorSelectableRole));
    QVERIFY(!model.index(3).data(LanguageModel::OperatorSelectableRole).toBool());
    QCOMPARE(changed.count(), 1);
    model.clearAll();
    QCOMPARE(model.rowCount(), 0);
}

void TestLanguage::displayNames_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("german") << 0 << "Deutsch";
    QTest::newRow("danish") << 2 << QString::fromUtf8("D\xC3\xA4nisch");
    QTest::newRow("dutch") << 9 << QString::fromUtf8("Niederl\xC3\xA4ndisch");
    QTest::newRow("french") << 10 << QString::fromUtf8("Franz\xC3\xB6sisch");
    QTest::newRow("slovenian has no name") << 18 << "";
    QTest::newRow("turkish has no name") << 23 << "";
    QTest::newRow("american") << 24 << "Englisch";
    QTest::newRow("bulgarian") << 25 << "";
}

void TestLanguage::displayNames()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    LanguageController controller; // German: no translator installed
    QCOMPARE(controller.convertLanguageEnum(EnumProviderClass::Language(language)), name);
}

void TestLanguage::translatedNamesFollowTheLanguage()
{
    LanguageController controller;
    SpaController spa;
    controller.onLanguageReported(languageRecord(EnumProviderClass::ENGLISH));
    QCOMPARE(controller.convertLanguageEnum(EnumProviderClass::DANISH), QStringLiteral("Danish"));
    QCOMPARE(spa.convertcolorLightMode(0), QStringLiteral("Off"));

    controller.onLanguageReported(languageRecord(EnumProviderClass::GERMAN));
    QCOMPARE(controller.convertLanguageEnum(EnumProviderClass::DANISH),
             QString::fromUtf8("D\xC3\xA4nisch"));
    QCOMPARE(spa.convertcolorLightMode(0), QStringLiteral("Aus"));

    controller.onLanguageReported(languageRecord(EnumProviderClass::AMERICAN));
    QCOMPARE(controller.convertLanguageEnum(EnumProviderClass::AMERICAN),
             QStringLiteral("English"));
}

void TestLanguage::englishDisplayNames_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("english");

    // One name of each kind the controllers show, in both English variants.
    const struct
    {
        const char* context;
        const char* source;
        const char* british;
        const char* american;
    } names[] = {
        {"QObject", "Aus", "Off", "Off"},
        {"QObject", "Intern", "Internal", "Internal"},
        {"QObject", "Ungarisch", "Hungarian", "Hungarian"},
        {"QObject", "Schulter-Massage", "Shoulder massage", "Shoulder massage"},
        {"QObject", "Gesunder Rücken", "Healthy Back", "Healthy Back"},
        {"QObject", "Eigenes Programm", "Own programme", "Own program"},
        {"QObject", "Spiegel-Massage", "Mirror massage", "Mirror massage"},
        {"QObject", "Oberschenkel Lymphmassage", "Thigh lymphatic massage",
         "Thigh lymphatic massage"},
        {"DeviceController", "MODUL", "MODULE", "MODULE"},
    };
    for (const auto& name : names) {
        QTest::addRow("en_gb %s", name.source)
            << int(EnumProviderClass::ENGLISH) << name.context << QString::fromUtf8(name.source)
            << QString::fromUtf8(name.british);
        QTest::addRow("us_en %s", name.source)
            << int(EnumProviderClass::AMERICAN) << name.context << QString::fromUtf8(name.source)
            << QString::fromUtf8(name.american);
    }
}

void TestLanguage::englishDisplayNames()
{
    QFETCH(int, language);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, english);

    LanguageController controller;
    controller.onLanguageReported(languageRecord(language));
    QCOMPARE(QCoreApplication::translate(context.toUtf8().constData(), source.toUtf8().constData()),
             english);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
