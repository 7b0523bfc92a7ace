#pragma once

#include <QLoggingCategory>

// The client's log categories, one per area, so that a user or a test can
// turn an area's lines on or off (QT_LOGGING_RULES="gearloft.request.debug=false").
Q_DECLARE_LOGGING_CATEGORY(lcData)    // gearloft.data: settings, catalog, states, registry
Q_DECLARE_LOGGING_CATEGORY(lcRequest) // gearloft.request: requests, the service and its port
Q_DECLARE_LOGGING_CATEGORY(lcLaunch)  // gearloft.launch: starting and ending tools
Q_DECLARE_LOGGING_CATEGORY(lcStartup) // gearloft.startup: start-up, the window, plug-ins
Q_DECLARE_LOGGING_CATEGORY(lcPages)   // gearloft.pages: cards, rows, details, pictures
