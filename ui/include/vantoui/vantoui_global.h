#pragma once

#include <QtCore/qglobal.h>

// The library is built with hidden visibility; everything the GUI uses is
// exported explicitly.
#if defined(VANTOUI_LIBRARY)
#define VANTOUI_EXPORT Q_DECL_EXPORT
#else
#define VANTOUI_EXPORT Q_DECL_IMPORT
#endif
