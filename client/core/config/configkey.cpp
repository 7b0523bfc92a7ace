#include "config/configkey.h"

#include <array>

namespace gearmart {

QString configKeyName(ConfigKey key)
{
    static const std::array<const char*, 13> names = {
        "Translator",     "Languages",        "LogLevel",     "VersionType",     "Skin",
        "DownloadPath",   "IsCloseOpenTools", "IsNeedUpdate", "ChServerAddress", "EnServerAddress",
        "IsFirstLoading", "PromptUpgrade",    "TransferMode"};
    const int index = static_cast<int>(key);
    if (index < 0 || index >= static_cast<int>(names.size()))
        return {};
    return QString::fromLatin1(names[static_cast<std::size_t>(index)]);
}

} // namespace gearmart
