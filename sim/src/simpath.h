#ifndef SIMPATH_H
#define SIMPATH_H

#include <QString>

namespace bussim {

// An absolute platform path below $VANTO_ROOT (unset or "/" on the target).
QString simPath(const QString& absolutePath);

} // namespace bussim

#endif // SIMPATH_H
