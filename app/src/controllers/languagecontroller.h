#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "types/enumproviderclass.h"
#include "types/telegramparamdef.h"

class LanguageModel;
class QTranslator;

// Mirrors the control unit's language parameter, installs the matching
// translation and writes the user's and the operator's choices back.
class LanguageController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(telegram_param_def language READ language NOTIFY languageChanged)
    Q_PROPERTY(QString currentSvgFilename READ currentSvgFilename NOTIFY currentSvgFilenameChanged)
    Q_PROPERTY(QString abbreviation READ abbreviation NOTIFY abbreviationChanged)
    Q_PROPERTY(int32_t defaultLanguage READ defaultLanguage NOTIFY defaultLanguageChanged)
    // Appended to every translated binding so it re-evaluates on a language change.
    Q_PROPERTY(QString emptyString READ emptyString NOTIFY languageChanged)

public:
    LanguageController();
    ~LanguageController() override;

    telegram_param_def language() const { return m_language; }
    QString currentSvgFilename() const { return m_currentSvgFilename; }
    QString abbreviation() const { return m_abbreviation; }
    int32_t defaultLanguage() const { return m_defaultLanguage; }
    QString emptyString() const { return QString(); }
    LanguageModel* languageModel() const { return m_languageModel; }

    // Per-language table: translation file name and flag image.
    static QString localeCode(int language);
    static QString flagFile(int language);

    Q_INVOKABLE void requestValues();
    Q_INVOKABLE void setLanguage(EnumProviderClass::Language language);
    Q_INVOKABLE void setDefaultLanguage(EnumProviderClass::Language language);
    Q_INVOKABLE void updateUserSelectableLanguage();
    Q_INVOKABLE QString convertLanguageEnum(EnumProviderClass::Language language) const;
    Q_INVOKABLE QStringList userSelectableList() const;

    // Refills the language model from the record's operator (max) and guest
    // (min) masks; emits selectableLanguageChanged when rows exist.
    void updateSelectableLanguages(const telegram_param_def& record);
    // The whole handling of one language report: an unchanged record only
    // refreshes the default language; otherwise the model is refilled, the
    // language applied and then the default language refreshed.
    void onLanguageReported(const telegram_param_def& record);

public slots:
    void onSetLanguage(telegram_param_def language);
    void onDefaultLanguageChanged(int32_t defaultLanguage);

signals:
    void languageChanged();
    void currentSvgFilenameChanged();
    void abbreviationChanged();
    void defaultLanguageChanged();
    void selectableLanguageChanged();

private:
    telegram_param_def m_language;
    QString m_currentSvgFilename;
    QString m_abbreviation;
    int32_t m_defaultLanguage = 0;
    LanguageModel* m_languageModel = nullptr;
    QTranslator* m_translator = nullptr;
    bool m_translatorInstalled = false;
};
