#pragma once

#include <QString>

namespace VantoUi {

// The one place where the library maps the platform's absolute paths below
// VANTO_ROOT (unset or "/" on the target), so tests and the demo run in a
// private root without touching the host's system paths.
QString rootedPath(const QString& absolutePath);

// Folder of the system-wide configuration files (on the device /etc/xdg):
// the second standard configuration location, the first being the user's;
// empty or relative entries are passed over, and /etc/xdg is used when no
// system location is left.
QString systemConfigFolder();

} // namespace VantoUi
