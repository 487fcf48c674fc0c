#pragma once

#include <QAbstractListModel>
#include <QList>

#include "controllers/quickstartbuttoninfo.h"
#include "types/telegramparamdef.h"

// The four quick-start buttons of the ready screen, rebuilt from every report
// of the quick-start configuration (one button per byte of `value`).
class QuickstartButtonInfoModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Roles {
        QuickstartButtonNameRole = Qt::UserRole + 1,
        IsCheckedRole,
        PositionRole,
        BodyAreaEnumRole,
        MoveIndexesRole,
    };
    static constexpr int ButtonCount = 4;

    explicit QuickstartButtonInfoModel(QObject* parent = nullptr);
    ~QuickstartButtonInfoModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    // A byte that is no QUICK_START_BUTTON_CONFIG value becomes 0.
    static int validCode(int code);

    telegram_param_def quickstartButtonConfig() const { return m_config; }
    QList<QuickstartButtonInfo*> buttons() const { return m_buttons; }

    Q_INVOKABLE void updateControllerQuickstartButtonConfig();
    Q_INVOKABLE void clearList();

public slots:
    void onQuickstartButtonConfigChanged(telegram_param_def config);

private:
    void moveButton(int from, int to);

    QList<QuickstartButtonInfo*> m_buttons;
    telegram_param_def m_config;
};
