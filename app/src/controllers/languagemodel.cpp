#include "languagemodel.h"

#include "controllers/languagecontroller.h"
#include "core/telegrammanager.h"
#include "types/enumproviderclass.h"

LanguageModel::LanguageModel(QObject* parent) : QAbstractListModel(parent) {}

int LanguageModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_entries.size();
}

QVariant LanguageModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return QVariant();
    const Entry& entry = m_entries.at(index.row());
    switch (role) {
    case LanguageEnumRole:
        return entry.language;
    case OperatorSelectableRole:
        return entry.operatorSelectable;
    case UserSelectableRole:
        return entry.userSelectable;
    case FlagFileRole:
        return LanguageController::flagFile(entry.language);
    default:
        return QVariant();
    }
}

bool LanguageModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != UserSelectableRole || !index.isValid() || index.row() < 0 ||
        index.row() >= m_entries.size())
        return false;
    m_entries[index.row()].userSelectable = value.toBool();
    emit dataChanged(index, index, {UserSelectableRole});
    return true;
}

Qt::ItemFlags LanguageModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QHash<int, QByteArray> LanguageModel::roleNames() const
{
    return {{LanguageEnumRole, "languageEnum"},
            {OperatorSelectableRole, "operatorSelectable"},
            {UserSelectableRole, "userSelectable"},
            {FlagFileRole, "flagFile"}};
}

void LanguageModel::requestLanguagesList()
{
    clearAll();
    TelegramManager::instance()->requestMainControlParam(EnumProviderClass::PARAM_LANGUAGE);
}

void LanguageModel::clearAll()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

void LanguageModel::refill(qint32 operatorMask, qint32 userMask)
{
    const quint32 operatorBits = static_cast<quint32>(operatorMask);
    const quint32 userBits = static_cast<quint32>(userMask);
    beginResetModel();
    m_entries.clear();
    for (int language = 0; language < LanguageCount; ++language) {
        Entry entry;
        entry.language = language;
        entry.operatorSelectable = (operatorBits >> language) & 1u;
        entry.userSelectable = (userBits >> language) & 1u;
        m_entries.append(entry);
    }
    endResetModel();
}

int LanguageModel::languageAt(int row) const
{
    return (row >= 0 && row < m_entries.size()) ? m_entries.at(row).language : -1;
}

bool LanguageModel::userSelectableAt(int row) const
{
    return row >= 0 && row < m_entries.size() && m_entries.at(row).userSelectable;
}
