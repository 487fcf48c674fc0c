#include <vantoui/settingsbase.h>

#include "logging.h"
#include "systemroot.h"

namespace VantoUi {

namespace {

// QSettings takes its system-scope folder from the Qt installation, not from
// the environment. Point it at the system configuration folder before the
// object is built, so style.ini lands beside touch_settings.ini and below
// VANTO_ROOT.
QSettings::Format withSystemFolder(QSettings::Format format, QSettings::Scope scope)
{
    if (scope == QSettings::SystemScope)
        QSettings::setPath(format, scope, systemConfigFolder());
    return format;
}

} // namespace

SettingsBase::SettingsBase(QString fileName, QSettings::Format format)
    : m_settings(fileName, format)
{
    qCInfo(lcVantoUiSettings).noquote()
        << QStringLiteral("Settings file path without scope: ") + m_settings.fileName();
}

SettingsBase::SettingsBase(QSettings::Format format, QSettings::Scope scope,
                           const QString& organization, const QString& application, QObject* parent)
    : m_settings(withSystemFolder(format, scope), scope, organization, application, parent)
{
    qCInfo(lcVantoUiSettings).noquote()
        << QStringLiteral("Settings file path: ") + m_settings.fileName();
}

void SettingsBase::setValue(const QString& key, const QVariant& value)
{
    m_settings.setValue(key, value);
}

QVariant SettingsBase::value(const QString& key, const QVariant& defaultValue) const
{
    return m_settings.value(key, defaultValue);
}

QVariant SettingsBase::childValue(const QString& key, const QVariant& defaultValue)
{
    const QStringList groups = m_settings.childGroups();
    for (const QString& group : groups) {
        const QVariant found = m_settings.value(group + QLatin1Char('/') + key, defaultValue);
        if (found.isValid())
            return found;
    }
    return QVariant();
}

void SettingsBase::removeValue(const QString& key)
{
    m_settings.remove(key);
}

bool SettingsBase::contains(const QString& key) const
{
    return m_settings.value(key, QVariant()).isValid();
}

QStringList SettingsBase::getKeys(const QString& group)
{
    m_settings.beginGroup(group);
    const QStringList keys = m_settings.allKeys();
    m_settings.endGroup();
    return keys;
}

QStringList SettingsBase::getAllKeys() const
{
    return m_settings.allKeys();
}

QStringList SettingsBase::getChildGroups() const
{
    return m_settings.childGroups();
}

QStringList SettingsBase::getChildKeys() const
{
    return m_settings.childKeys();
}

void SettingsBase::beginGroup(const QString& group)
{
    m_settings.beginGroup(group);
}

void SettingsBase::endGroup()
{
    m_settings.endGroup();
}

void SettingsBase::sync()
{
    m_settings.sync();
}

QString SettingsBase::fileName() const
{
    return m_settings.fileName();
}

void SettingsBase::clear()
{
    m_settings.clear();
}

} // namespace VantoUi
