#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcVantoUiSettings)
Q_DECLARE_LOGGING_CATEGORY(lcVantoUiStyle)
Q_DECLARE_LOGGING_CATEGORY(lcVantoUiTouch)
