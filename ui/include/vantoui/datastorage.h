#pragma once

#include <vantoui/vantoui_global.h>

#include <QtGlobal>

namespace VantoUi {

class StyleSettings;
class SoftwareInfoSettings;
class TouchSettings;

// Process-wide holder of the settings objects; each is created on first
// request and lives until process exit.
class VANTOUI_EXPORT DataStorage
{
public:
    static DataStorage* getInstance();

    StyleSettings* styleSettings();
    SoftwareInfoSettings* softwareInfoSettings();
    TouchSettings* touchSettings();

    // The bus address under which the GUI sends its telegrams.
    quint8 displaySenderVal();

    ~DataStorage();

private:
    DataStorage();
    Q_DISABLE_COPY(DataStorage)

    StyleSettings* m_styleSettings = nullptr;
    SoftwareInfoSettings* m_softwareInfoSettings = nullptr;
    TouchSettings* m_touchSettings = nullptr;
    quint8 m_displaySenderVal = 0;
};

} // namespace VantoUi
