#include "log/logging.h"

Q_LOGGING_CATEGORY(lcData, "gearloft.data")
Q_LOGGING_CATEGORY(lcRequest, "gearloft.request")
Q_LOGGING_CATEGORY(lcLaunch, "gearloft.launch")
Q_LOGGING_CATEGORY(lcStartup, "gearloft.startup")
Q_LOGGING_CATEGORY(lcPages, "gearloft.pages")
