#include <vantoui/softwareinfosettings.h>

#include "systemroot.h"

namespace VantoUi {

SoftwareInfoSettings::SoftwareInfoSettings(QSettings::Format format)
    : SettingsBase(rootedPath(QStringLiteral("/etc/sw_versions")), format)
{}

} // namespace VantoUi
