#include "systemroot.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace VantoUi {

QString rootedPath(const QString& absolutePath)
{
    const QString rootVariable = qEnvironmentVariable("VANTO_ROOT");
    if (rootVariable.isEmpty() || !QDir::isAbsolutePath(absolutePath))
        return absolutePath;
    const QString root = QDir::cleanPath(QFileInfo(rootVariable).absoluteFilePath());
    if (root == QLatin1String("/"))
        return absolutePath;
    // Paths that already lie below the root (for instance a configuration
    // folder taken from XDG_CONFIG_DIRS inside it) are not prefixed twice.
    if (absolutePath == root || absolutePath.startsWith(root + QLatin1Char('/')))
        return absolutePath;
    return root + absolutePath;
}

QString systemConfigFolder()
{
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::ConfigLocation);
    const QString folder = locations.size() >= 2 ? locations.at(1) : QStringLiteral("/etc/xdg");
    return rootedPath(QDir::cleanPath(folder));
}

} // namespace VantoUi
