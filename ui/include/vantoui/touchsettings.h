#pragma once

#include <vantoui/settingsbase.h>

namespace VantoUi {

// touch_settings.ini beside style.ini.
class VANTOUI_EXPORT TouchSettings : public SettingsBase
{
public:
    explicit TouchSettings(QSettings::Format format);
};

} // namespace VantoUi
