#pragma once

#include <QString>

class QObject;

namespace gearmart {

// Looks through the plugin files of a folder for one whose root object is a
// factory (QFactoryInterface) offering key. Plugins loaded here that do not
// match are unloaded again. Null when none matches.
QObject* findPluginFactory(const QString& key, const QString& folder);

} // namespace gearmart
