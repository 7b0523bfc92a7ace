#pragma once

#include "platform/registry.h"
#include "tooldata/installinfo.h"
#include "tooldata/toolstate.h"

namespace gearmart {

// Tool entries of the machine-wide uninstall registry, by tool key. Keys
// without a product GUID have no registry presence.
class ToolRegistry
{
public:
    explicit ToolRegistry(const platform::Registry& registry);

    static QString keyPath(const QString& qstrGuid);

    // Installed when both values are there and the location exists.
    InstallInfo installedCheck(int iToolkey) const;
    // Records the state's version; a tool the client installed itself also
    // gets its location and GUID.
    void registerTool(int iToolkey, const ToolState& state, const QString& qstrInstallLocation);
    void unregisterTool(int iToolkey);

private:
    platform::Registry m_registry;
};

} // namespace gearmart
