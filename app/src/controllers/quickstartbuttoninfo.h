#pragma once

#include <QList>
#include <QMetaType>
#include <QPair>

// Pair of row indexes used while the screens move a button.
typedef QPair<int, int> MoveIndexes;

// One quick-start button of the ready screen.
class QuickstartButtonInfo
{
public:
    QuickstartButtonInfo() = default;
    QuickstartButtonInfo(int code, bool checked, int position,
                         MoveIndexes moveIndexes = MoveIndexes(0, 0))
        : code(code), checked(checked), position(position), moveIndexes(moveIndexes)
    {}

    int code = 0;         // a QUICK_START_BUTTON_CONFIG value, 0 when unknown
    bool checked = false; // the button is in use
    int position = 0;     // 0..3, place on the ready screen
    MoveIndexes moveIndexes{0, 0};
};

Q_DECLARE_METATYPE(QList<QuickstartButtonInfo*>)
