#include "rimosystempath.h"

#include <QDir>

QString rimoSystemPath(const QString& absolutePath)
{
    QString root = qEnvironmentVariable("VANTO_ROOT");
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    if (root.isEmpty() || root == QLatin1String("/"))
        return absolutePath;
    return absolutePath.startsWith(QLatin1Char('/')) ? root + absolutePath
                                                     : root + QLatin1Char('/') + absolutePath;
}
