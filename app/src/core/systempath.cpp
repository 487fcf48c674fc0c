#include "systempath.h"

#include <QDir>

QString systemPath(const QString& absolutePath)
{
    QString root = qEnvironmentVariable("VANTO_ROOT");
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    if (root.isEmpty() || root == QLatin1String("/"))
        return absolutePath;
    if (absolutePath.startsWith(QLatin1Char('/')))
        return root + absolutePath;
    return root + QLatin1Char('/') + absolutePath;
}
