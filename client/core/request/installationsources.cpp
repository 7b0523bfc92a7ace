#include "request/installationsources.h"

#include "config/configmanager.h"
#include "tooldata/tooldatamanager.h"

namespace gearmart {

RequestSources installationSources()
{
    RequestSources sources;
    sources.downloadAddress = [](int key) { return ToolDataManager::instance()->downloadAddress(key); };
    sources.serverAddress = [] { return ConfigManager::instance()->serverAddress(); };
    sources.unzipDir = [](int key) -> QString {
        return ToolDataManager::instance()->unzipFolder(key) + QLatin1Char('/');
    };
    return sources;
}

} // namespace gearmart
