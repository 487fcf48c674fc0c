#ifndef BROKERPATH_H
#define BROKERPATH_H

#include <QString>

// Resolves an absolute platform path (unit files, "/lcdenv", ...) below the
// directory named by VANTO_ROOT. Unset, empty or "/" means the real root, as
// on the target. Paths that the system hands back at run time (mount points
// from UDisks2) are already real and never go through here.
QString brokerPath(const QString& absolutePath);

#endif // BROKERPATH_H
