#include "rimodisplayinterface.h"

Rimodisplayinterface::Rimodisplayinterface() = default;
