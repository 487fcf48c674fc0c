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
    // The first entry is the user's folder; the system folders follow. Qt
    // passes XDG_CONFIG_DIRS through unchecked, so a list such as
    // ":/etc/xdg" yields an empty entry, which would put the files at
    // "/vanto/..." (outside VANTO_ROOT), and a relative entry would depend on
    // the working directory. Such entries are not valid configuration
    // folders: take the first absolute one.
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::ConfigLocation);
    QString folder = QStringLiteral("/etc/xdg");
    for (int i = 1; i < locations.size(); ++i) {
        if (QDir::isAbsolutePath(locations.at(i))) {
            folder = locations.at(i);
            break;
        }
    }
    return rootedPath(QDir::cleanPath(folder));
}

} // namespace VantoUi
