#include "softwarelicenseinfomodelpsm.h"

SoftwareLicenseInfoModelPsm::SoftwareLicenseInfoModelPsm(QObject* parent)
    : QAbstractListModel(parent)
{}

int SoftwareLicenseInfoModelPsm::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_components.size();
}

QVariant SoftwareLicenseInfoModelPsm::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_components.size())
        return QVariant();
    const Component& component = m_components.at(index.row());
    switch (role) {
    case ComponentRole:
        return component.name;
    case FilesRole:
        return component.files;
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> SoftwareLicenseInfoModelPsm::roleNames() const
{
    return {{ComponentRole, "component"}, {FilesRole, "files"}};
}

void SoftwareLicenseInfoModelPsm::addComponent(const QString& component, const QStringList& files)
{
    beginInsertRows(QModelIndex(), m_components.size(), m_components.size());
    m_components.append({component, files});
    endInsertRows();
}

void SoftwareLicenseInfoModelPsm::clear()
{
    beginResetModel();
    m_components.clear();
    endResetModel();
}

QString SoftwareLicenseInfoModelPsm::componentAt(int row) const
{
    return (row >= 0 && row < m_components.size()) ? m_components.at(row).name : QString();
}

QStringList SoftwareLicenseInfoModelPsm::filesAt(int row) const
{
    return (row >= 0 && row < m_components.size()) ? m_components.at(row).files : QStringList();
}
