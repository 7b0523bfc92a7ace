#include "lacquerplugin.h"

#include "lacquer.h"

namespace Lacquer {

QStringList LacquerPlugin::keys() const
{
    return {QStringLiteral("Lacquer")};
}

QStyle* LacquerPlugin::create(const QString& key)
{
    if (key == QStringLiteral("Lacquer"))
        return new Lacquer();
    return nullptr;
}

} // namespace Lacquer
