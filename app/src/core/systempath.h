#pragma once

#include <QString>

// Resolves an absolute platform path (device files, system folders, the
// version file, ...) below the directory named by VANTO_ROOT. On the target
// VANTO_ROOT is unset or "/", so the path is returned unchanged; tests and the
// demo point it at a private folder. This is the only place of the program
// that prefixes paths.
QString systemPath(const QString& absolutePath);
