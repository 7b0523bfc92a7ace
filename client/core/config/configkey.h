#pragma once

#include <QString>

namespace gearmart {

// The settings of Setup.xml, by index.
enum class ConfigKey : int
{
    Translator = 0,
    Languages = 1,
    LogLevel = 2,
    VersionType = 3,
    Skin = 4,
    DownloadPath = 5,
    IsCloseOpenTools = 6,
    IsNeedUpdate = 7,
    ChServerAddress = 8,
    EnServerAddress = 9,
    IsFirstLoading = 10,
    PromptUpgrade = 11,
    // "1": the service streams each package in one resumable request; "0" or
    // absent: the classic sequence of small ranges.
    TransferMode = 12,
};

// The element name of a key; empty for an index outside the table.
QString configKeyName(ConfigKey key);

} // namespace gearmart
