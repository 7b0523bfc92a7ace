#pragma once

#include <QMetaType>

namespace gearmart {

// The tool states the pages exchange through the main window.
enum ToolCurrentState : int {
    ToolStateNone = 0,
    ToolDownloadRequested = 1,
    ToolDownloading = 2,
    ToolDownloaded = 3,
    ToolCancelled = 4,
    ToolDeleted = 5,
};

} // namespace gearmart

Q_DECLARE_METATYPE(gearmart::ToolCurrentState)
