#include "brokerpath.h"

#include <QByteArray>
#include <QDir>

QString brokerPath(const QString& absolutePath)
{
    QString root = QString::fromLocal8Bit(qgetenv("VANTO_ROOT"));
    while (root.size() > 1 && root.endsWith(QLatin1Char('/'))) {
        root.chop(1);
    }
    if (root.isEmpty() || root == QLatin1String("/")) {
        return absolutePath;
    }
    return root + QDir::cleanPath(QLatin1Char('/') + absolutePath);
}
