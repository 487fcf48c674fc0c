#include "simpath.h"

#include <QDir>

namespace bussim {

QString simPath(const QString& absolutePath)
{
    const QString root = qEnvironmentVariable("VANTO_ROOT");
    if (root.isEmpty() || root == QLatin1String("/"))
        return absolutePath;
    return QDir::cleanPath(root + QLatin1Char('/') + absolutePath);
}

} // namespace bussim
