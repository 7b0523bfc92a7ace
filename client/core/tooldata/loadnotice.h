#pragma once

#include <QString>

namespace gearmart {

// Something the start-up load refused or repaired. The log has the details;
// the user is told the kind.
struct LoadNotice
{
    enum class Kind
    {
        StagedMaterialRefused, // the downloaded material was discarded
        CatalogRestored,       // the catalog in use was replaced by the shipped one
        CatalogEmpty,          // no usable catalog at all
        StateListRebuilt,      // the state list was missing or damaged
    };

    Kind kind;
    QString qstrCause; // names the file
};

} // namespace gearmart
