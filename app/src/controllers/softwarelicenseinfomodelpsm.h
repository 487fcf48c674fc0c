#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>
#include <QVector>

// The installed licence texts, one row per component directory.
class SoftwareLicenseInfoModelPsm : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Roles {
        ComponentRole = Qt::UserRole + 1,
        FilesRole,
    };

    explicit SoftwareLicenseInfoModelPsm(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    void addComponent(const QString& component, const QStringList& files);
    void clear();

    QString componentAt(int row) const;
    QStringList filesAt(int row) const;

private:
    struct Component
    {
        QString name;
        QStringList files;
    };
    QVector<Component> m_components;
};
