#pragma once
// Trace messages of the control library (written to stderr by Qt's logging).

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcImageControl)
