#pragma once

#include <QAbstractListModel>
#include <QVector>

// The selectable languages: one row per language with the operator's and the
// guests' selectability taken from the bit masks of the language record.
class LanguageModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Roles {
        LanguageEnumRole = Qt::UserRole + 1,
        OperatorSelectableRole,
        UserSelectableRole,
        FlagFileRole,
    };
    // GERMAN .. AMERICAN: the languages a refill lists.
    static constexpr int LanguageCount = 25;

    explicit LanguageModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE void requestLanguagesList();
    Q_INVOKABLE void clearAll();

    // Clears and lists languages 0..24: bit n of each mask belongs to language n.
    void refill(qint32 operatorMask, qint32 userMask);

    // Language number of a row and its guest flag, in row order.
    int languageAt(int row) const;
    bool userSelectableAt(int row) const;

private:
    struct Entry
    {
        int language = 0;
        bool operatorSelectable = false;
        bool userSelectable = false;
    };
    QVector<Entry> m_entries;
};
