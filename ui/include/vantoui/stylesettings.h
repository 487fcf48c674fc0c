#pragma once

#include <vantoui/settingsbase.h>

namespace VantoUi {

// style.ini in the vanto folder of the system configuration directory.
class VANTOUI_EXPORT StyleSettings : public SettingsBase
{
public:
    explicit StyleSettings(QSettings::Format format);
};

} // namespace VantoUi
