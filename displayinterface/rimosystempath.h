#ifndef RIMOSYSTEMPATH_H
#define RIMOSYSTEMPATH_H

#include <QString>

// Resolves an absolute platform path below $VANTO_ROOT, so the library can
// run against a private root (tests, simulated boards). Unset or "/" means
// the real system.
QString rimoSystemPath(const QString& absolutePath);

#endif // RIMOSYSTEMPATH_H
