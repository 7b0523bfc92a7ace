#include "shell/pluginfinder.h"

#include <QDir>
#include <QFactoryInterface>
#include <QPluginLoader>

namespace gearmart {

QObject* findPluginFactory(const QString& key, const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files)) {
        QPluginLoader loader(QDir::cleanPath(folder + QLatin1Char('/') + name));
        const bool wasLoaded = loader.isLoaded();
        if (!wasLoaded && !loader.load())
            continue;
        QObject* root = loader.instance();
        auto* factory = qobject_cast<QFactoryInterface*>(root);
        if (factory && factory->keys().contains(key))
            return root;
        if (!wasLoaded)
            loader.unload();
    }
    return nullptr;
}

} // namespace gearmart
