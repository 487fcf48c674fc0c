#include "languagecontroller.h"

#include "controllers/languagemodel.h"
#include "core/telegrammanager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTranslator>

namespace {

struct LanguageInfo
{
    const char* localeCode;
    const char* flagFile;
};

// Indexed by the Language enumeration, GERMAN .. AMERICAN.
const LanguageInfo kLanguages[] = {
    {"de_de", "germany.svg"},
    {"en_gb", "united_kingdom.svg"},
    {"dk_dk", "denmark.svg"},
    {"se_se", ""},
    {"no_no", ""},
    {"fi_fi", ""},
    {"ee_ee", ""},
    {"lv_lv", ""},
    {"lt_lt", "lithuania.svg"},
    {"nl_nl", "netherlands.svg"},
    {"fr_fr", "france.svg"},
    {"it_it", "italia.svg"},
    {"es_es", "spain.svg"},
    {"pt_pt", ""},
    {"ru_ru", ""},
    {"pl_pl", "poland.svg"},
    {"cz_cz", ""},
    {"hu_hu", "hungary.svg"},
    {"en_gb", ""}, // Slovenian, Croatian, Serbian, Romanian and Greek have no
    {"en_gb", ""}, // translation of their own and fall back to English.
    {"en_gb", ""},
    {"en_gb", ""},
    {"en_gb", ""},
    {"tr_tr", ""},
    {"us_en", "the_united_states.svg"},
};
constexpr int kLanguageCount = int(sizeof(kLanguages) / sizeof(kLanguages[0]));

const char kTranslationFolder[] = ":/translations";

} // namespace

LanguageController::LanguageController()
    : m_languageModel(new LanguageModel(this)), m_translator(new QTranslator(this))
{
    requestValues();
}

LanguageController::~LanguageController()
{
    // At program exit the application object may already be gone; there is
    // nothing left to remove the translator from then.
    if (m_translatorInstalled && QCoreApplication::instance())
        QCoreApplication::removeTranslator(m_translator);
}

QString LanguageController::localeCode(int language)
{
    if (language >= 0 && language < kLanguageCount)
        return QString::fromLatin1(kLanguages[language].localeCode);
    return QStringLiteral("en_gb");
}

QString LanguageController::flagFile(int language)
{
    if (language >= 0 && language < kLanguageCount)
        return QString::fromLatin1(kLanguages[language].flagFile);
    return QStringLiteral("united_kingdom.svg");
}

void LanguageController::requestValues()
{
    TelegramManager::instance()->requestMainControlParam(EnumProviderClass::PARAM_LANGUAGE);
}

void LanguageController::setLanguage(EnumProviderClass::Language language)
{
    telegram_param_def record = m_language;
    record.id = EnumProviderClass::PARAM_LANGUAGE;
    record.value = language;
    TelegramManager::instance()->writeParam(record);
}

void LanguageController::setDefaultLanguage(EnumProviderClass::Language language)
{
    telegram_param_def record = m_language;
    record.id = EnumProviderClass::PARAM_LANGUAGE;
    record.def = static_cast<quint16>(language);
    TelegramManager::instance()->writeParam(record);
}

void LanguageController::updateUserSelectableLanguage()
{
    quint32 mask = static_cast<quint32>(m_language.min);
    for (int row = 0; row < m_languageModel->rowCount(); ++row) {
        const int language = m_languageModel->languageAt(row);
        if (language < 0 || language > 31)
            continue;
        if (m_languageModel->userSelectableAt(row))
            mask |= (1u << language);
        else
            mask &= ~(1u << language);
    }
    telegram_param_def record = m_language;
    record.id = EnumProviderClass::PARAM_LANGUAGE;
    record.min = static_cast<qint32>(mask);
    TelegramManager::instance()->writeParam(record);
}

QString LanguageController::convertLanguageEnum(EnumProviderClass::Language language) const
{
    switch (language) {
    case EnumProviderClass::GERMAN:
        return QObject::tr("Deutsch");
    case EnumProviderClass::ENGLISH:
        return QObject::tr("Englisch");
    case EnumProviderClass::DANISH:
        return QObject::tr("Dänisch");
    case EnumProviderClass::SWEDISH:
        return QObject::tr("Schwedisch");
    case EnumProviderClass::NORWEGIAN:
        return QObject::tr("Norwegisch");
    case EnumProviderClass::FINNISH:
        return QObject::tr("Finnisch");
    case EnumProviderClass::ESTONIAN:
        return QObject::tr("Estnisch");
    case EnumProviderClass::LATVIAN:
        return QObject::tr("Lettisch");
    case EnumProviderClass::LITHUANIAN:
        return QObject::tr("Litauisch");
    case EnumProviderClass::DUTCH:
        return QObject::tr("Niederländisch");
    case EnumProviderClass::FRENCH:
        return QObject::tr("Französisch");
    case EnumProviderClass::ITALIAN:
        return QObject::tr("Italienisch");
    case EnumProviderClass::SPANISH:
        return QObject::tr("Spanisch");
    case EnumProviderClass::PORTOGUESE:
        return QObject::tr("Portugiesisch");
    case EnumProviderClass::RUSSIAN:
        return QObject::tr("Russisch");
    case EnumProviderClass::POLISH:
        return QObject::tr("Polnisch");
    case EnumProviderClass::CZECH:
        return QObject::tr("Tschechisch");
    case EnumProviderClass::HUNGARIAN:
        return QObject::tr("Ungarisch");
    case EnumProviderClass::AMERICAN:
        return QObject::tr("Englisch");
    default:
        return QString();
    }
}

QStringList LanguageController::userSelectableList() const
{
    QStringList names;
    for (int row = 0; row < m_languageModel->rowCount(); ++row) {
        if (m_languageModel->userSelectableAt(row))
            names.append(convertLanguageEnum(
                static_cast<EnumProviderClass::Language>(m_languageModel->languageAt(row))));
    }
    return names;
}

void LanguageController::updateSelectableLanguages(const telegram_param_def& record)
{
    m_languageModel->refill(record.max, record.min);
    if (m_languageModel->rowCount() > 0)
        emit selectableLanguageChanged();
}

void LanguageController::onLanguageReported(const telegram_param_def& record)
{
    if (!record.sameContent(m_language)) {
        updateSelectableLanguages(record);
        onSetLanguage(record);
    }
    onDefaultLanguageChanged(record.def);
}

void LanguageController::onSetLanguage(telegram_param_def language)
{
    if (language.value == m_language.value) {
        m_language = language;
        return;
    }
    const QString code = localeCode(language.value);
    // QTranslator::load empties the translator before it tries the file, so
    // a failed load into the installed one would drop the language in force.
    // Load into a new translator and swap only on success.
    auto* translator = new QTranslator(this);
    if (!translator->load(code, QString::fromLatin1(kTranslationFolder))) {
        delete translator;
        // The record is not kept, so the next report of it tries again.
        qWarning() << "Could not set language";
        return;
    }
    if (m_translatorInstalled)
        QCoreApplication::removeTranslator(m_translator);
    delete m_translator;
    m_translator = translator;
    m_translatorInstalled = QCoreApplication::installTranslator(m_translator);

    const QString svg = flagFile(language.value);
    if (svg != m_currentSvgFilename) {
        m_currentSvgFilename = svg;
        emit currentSvgFilenameChanged();
    }
    const QString abbreviation = code.left(2).toUpper();
    if (abbreviation != m_abbreviation) {
        m_abbreviation = abbreviation;
        emit abbreviationChanged();
    }
    m_language = language;
    emit languageChanged();
}

void LanguageController::onDefaultLanguageChanged(int32_t defaultLanguage)
{
    if (m_defaultLanguage == defaultLanguage)
        return;
    m_defaultLanguage = defaultLanguage;
    emit defaultLanguageChanged();
}
