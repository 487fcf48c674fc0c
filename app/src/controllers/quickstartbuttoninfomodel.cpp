#include "quickstartbuttoninfomodel.h"

#include "core/telegrammanager.h"
#include "types/enumproviderclass.h"

#include <QJSValue>
#include <QVariantList>

QuickstartButtonInfoModel::QuickstartButtonInfoModel(QObject* parent) : QAbstractListModel(parent)
{
    // The screens pass the move pair by this name.
    qRegisterMetaType<MoveIndexes>("MoveIndexes");
}

QuickstartButtonInfoModel::~QuickstartButtonInfoModel()
{
    qDeleteAll(m_buttons);
}

int QuickstartButtonInfoModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_buttons.size();
}

QVariant QuickstartButtonInfoModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_buttons.size())
        return QVariant();
    const QuickstartButtonInfo* button = m_buttons.at(index.row());
    switch (role) {
    case QuickstartButtonNameRole:
    case BodyAreaEnumRole:
        return button->code;
    case IsCheckedRole:
        return button->checked;
    case PositionRole:
        return button->position;
    case MoveIndexesRole:
        return QVariant::fromValue(button->moveIndexes);
    default:
        return QVariant();
    }
}

bool QuickstartButtonInfoModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_buttons.size())
        return false;
    if (role == BodyAreaEnumRole) {
        m_buttons.at(index.row())->code = validCode(value.toInt());
        emit dataChanged(index, index, {BodyAreaEnumRole});
        return true;
    }
    if (role == MoveIndexesRole) {
        int from = 0;
        int to = 0;
        if (value.userType() == qMetaTypeId<MoveIndexes>()) {
            const MoveIndexes pair = value.value<MoveIndexes>();
            from = pair.first;
            to = pair.second;
        } else {
            // From QML the indexes arrive as a JavaScript array.
            const QVariantList list = value.userType() == qMetaTypeId<QJSValue>()
                                          ? value.value<QJSValue>().toVariant().toList()
                                          : value.toList();
            if (list.isEmpty())
                return false;
            from = list.first().toInt();
            to = list.last().toInt();
        }
        m_buttons.at(index.row())->moveIndexes = MoveIndexes(from, to);
        emit dataChanged(index, index, {MoveIndexesRole});
        moveButton(from, to);
        return true;
    }
    return false;
}

Qt::ItemFlags QuickstartButtonInfoModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QHash<int, QByteArray> QuickstartButtonInfoModel::roleNames() const
{
    return {{QuickstartButtonNameRole, "quickstartButtonName"},
            {IsCheckedRole, "isChecked"},
            {PositionRole, "position"},
            {BodyAreaEnumRole, "bodyAreaEnum"},
            {MoveIndexesRole, "moveIndexes"}};
}

int QuickstartButtonInfoModel::validCode(int code)
{
    if ((code >= EnumProviderClass::BC_NECK_SHOULDER && code <= EnumProviderClass::BC_POINT) ||
        (code >= EnumProviderClass::BC_FIT_LEGS && code <= EnumProviderClass::BC_PERK_UP) ||
        (code >= EnumProviderClass::BC_TOTALBODY_PROGRAM &&
         code <= EnumProviderClass::BC_LYMPH_UPPER_THIGH))
        return code;
    return EnumProviderClass::BUTTON_OFF;
}

void QuickstartButtonInfoModel::moveButton(int from, int to)
{
    const int count = m_buttons.size();
    if (count < ButtonCount || from == to || from < 0 || to < 0 || from >= count || to >= count)
        return;
    // beginMoveRows counts the destination before the move.
    const int destination = to > from ? to + 1 : to;
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), destination);
    m_buttons.move(from, to);
    endMoveRows();
    // The place on the ready screen follows the row, which is also the byte
    // the button is packed into.
    for (int row = 0; row < count; ++row) {
        if (m_buttons.at(row)->position != row) {
            m_buttons.at(row)->position = row;
            emit dataChanged(index(row), index(row), {PositionRole});
        }
    }
}

void QuickstartButtonInfoModel::updateControllerQuickstartButtonConfig()
{
    if (m_buttons.size() < ButtonCount)
        return;
    quint32 packed = 0;
    for (int row = 0; row < ButtonCount; ++row)
        packed |= (static_cast<quint32>(m_buttons.at(row)->code) & 0xFFu) << (8 * row);
    telegram_param_def record = m_config;
    record.id = EnumProviderClass::PARAM_QUICKSTART_BUTTON_CONFIGURATION;
    record.value = static_cast<qint32>(packed);
    TelegramManager::instance()->writeParam(record);
}

void QuickstartButtonInfoModel::clearList()
{
    beginResetModel();
    qDeleteAll(m_buttons);
    m_buttons.clear();
    endResetModel();
}

void QuickstartButtonInfoModel::onQuickstartButtonConfigChanged(telegram_param_def config)
{
    clearList();
    m_config = config;
    const quint32 packed = static_cast<quint32>(config.value);
    beginInsertRows(QModelIndex(), 0, ButtonCount - 1);
    for (int position = 0; position < ButtonCount; ++position) {
        const int byte = (packed >> (8 * position)) & 0xFF;
        m_buttons.append(new QuickstartButtonInfo(validCode(byte), byte != 0, position));
    }
    endInsertRows();
}
