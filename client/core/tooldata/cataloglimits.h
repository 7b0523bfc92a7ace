#pragma once

#include "panelcraft/xmllimits.h"

namespace gearmart {

// Bounds on the catalog material, which arrives from the cloud over plain
// HTTP. A catalog beyond any of them is refused as a whole.
struct CatalogLimits
{
    // 1,000 tools with long descriptions in both languages stay well below.
    static constexpr qint64 kMaxCatalogBytes = 8 * 1024 * 1024;
    // Written by this client, a few hundred bytes per tool.
    static constexpr qint64 kMaxStateListBytes = 2 * 1024 * 1024;
    // List, tool, field: the formats have three levels.
    static constexpr int kDepth = 3;
    // Twice the largest catalog planned for; each tool is a card and a page.
    static constexpr int kMaxTools = 2000;
    // A tool has nineteen fields; the rest is room for later formats.
    static constexpr int kMaxFieldsPerTool = 64;
    // Names, versions, file names, dates and addresses are one line each.
    static constexpr int kMaxShortText = 1024;
    // Descriptions are laid out on the pages; megabytes of text stall the layout.
    static constexpr int kMaxDescription = 8192;
    // Each is a picture decoded and a thumbnail laid out on the details page.
    static constexpr int kMaxDetailPictures = 32;
    // The material nests four folders deep (DetailImages/tool/EN/picture).
    static constexpr int kMaxFolderDepth = 8;

    static crestui::XmlLimits catalogXml();
    static crestui::XmlLimits stateListXml();
};

inline crestui::XmlLimits CatalogLimits::catalogXml()
{
    crestui::XmlLimits limits;
    limits.maxBytes = kMaxCatalogBytes;
    limits.maxDepth = kDepth;
    limits.maxElements = 1 + kMaxTools * (1 + kMaxFieldsPerTool);
    return limits;
}

inline crestui::XmlLimits CatalogLimits::stateListXml()
{
    crestui::XmlLimits limits;
    limits.maxBytes = kMaxStateListBytes;
    limits.maxDepth = kDepth;
    return limits;
}

} // namespace gearmart
