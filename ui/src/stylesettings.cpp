#include <vantoui/stylesettings.h>

namespace VantoUi {

StyleSettings::StyleSettings(QSettings::Format format)
    : SettingsBase(format, QSettings::SystemScope, QStringLiteral("vanto"), QStringLiteral("style"))
{}

} // namespace VantoUi
