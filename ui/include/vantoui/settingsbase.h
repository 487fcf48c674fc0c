#pragma once

#include <vantoui/vantoui_global.h>

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;

namespace VantoUi {

// Thin layer over one QSettings object; the concrete settings classes only
// choose which file it opens.
class VANTOUI_EXPORT SettingsBase
{
public:
    SettingsBase(QString fileName, QSettings::Format format);
    SettingsBase(QSettings::Format format, QSettings::Scope scope, const QString& organization,
                 const QString& application, QObject* parent = nullptr);
    virtual ~SettingsBase() = default;

    virtual void setValue(const QString& key, const QVariant& value);
    virtual QVariant value(const QString& key, const QVariant& defaultValue = QVariant()) const;
    // Value of key in the first child group (in QSettings' order) that holds
    // it; an invalid variant when none does.
    virtual QVariant childValue(const QString& key, const QVariant& defaultValue = QVariant());
    virtual void removeValue(const QString& key);
    virtual bool contains(const QString& key) const;
    // Keys below group, relative to it; the current group is left unchanged.
    virtual QStringList getKeys(const QString& group);
    virtual QStringList getAllKeys() const;
    virtual QStringList getChildGroups() const;
    virtual QStringList getChildKeys() const;
    virtual void beginGroup(const QString& group);
    virtual void endGroup();
    virtual void sync();
    virtual QString fileName() const;
    virtual void clear();

private:
    Q_DISABLE_COPY(SettingsBase)

    QSettings m_settings;
};

} // namespace VantoUi
