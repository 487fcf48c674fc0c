#include <vantoui/touchsettings.h>

namespace VantoUi {

TouchSettings::TouchSettings(QSettings::Format format)
    : SettingsBase(format, QSettings::SystemScope, QStringLiteral("vanto"),
                   QStringLiteral("touch_settings"))
{}

} // namespace VantoUi
