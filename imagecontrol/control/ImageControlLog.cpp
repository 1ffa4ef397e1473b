#include "ImageControlLog.h"

Q_LOGGING_CATEGORY(lcImageControl, "lumetra.imagecontrol", QtWarningMsg)
