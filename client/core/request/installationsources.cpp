#include "request/installationsources.h"

#include "config/configmanager.h"
#include "tooldata/tooldatamanager.h"

#include <QDir>
#include <QFileInfo>

namespace gearmart {

RequestSources installationSources()
{
    RequestSources sources;
    sources.downloadAddress = [](int key) { return ToolDataManager::instance()->downloadAddress(key); };
    sources.serverAddress = [] { return ConfigManager::instance()->serverAddress(); };
    sources.unzipDir = [](int key) -> QString {
        const auto& states = ToolDataManager::instance()->toolStates();
        const auto it = states.constFind(key);
        if (it != states.constEnd() && it->IsInstalledByInstaller)
            return QFileInfo(QDir::cleanPath(it->InstallLocation)).path() + QLatin1Char('/');
        return ConfigManager::instance()->downloadPath() + QStringLiteral("/SubTools/");
    };
    return sources;
}

} // namespace gearmart
