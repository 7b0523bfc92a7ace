#pragma once

#include "panelcraft/xmllimits.h"

namespace gearmart {

// Bounds on Setup.xml beyond the tree's own: the file is read at every start
// and by the self-upgrader, and a self-upgrade may bring a new one.
struct ConfigLimits
{
    // A dozen one-line settings; a file this large is not ours.
    static constexpr qint64 kMaxSetupBytes = 1024 * 1024;

    static crestui::XmlLimits setupXml()
    {
        crestui::XmlLimits limits;
        limits.maxBytes = kMaxSetupBytes;
        return limits;
    }
};

} // namespace gearmart
