#include "logging.h"

Q_LOGGING_CATEGORY(lcVantoUiSettings, "vanto.ui.settings")
Q_LOGGING_CATEGORY(lcVantoUiStyle, "vanto.ui.style")
Q_LOGGING_CATEGORY(lcVantoUiTouch, "vanto.ui.touch")
