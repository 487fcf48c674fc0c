#pragma once

#include <vantoui/settingsbase.h>

namespace VantoUi {

// The software version file written by the system image.
class VANTOUI_EXPORT SoftwareInfoSettings : public SettingsBase
{
public:
    explicit SoftwareInfoSettings(QSettings::Format format);
};

} // namespace VantoUi
