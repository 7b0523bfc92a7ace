#pragma once

#include "tooldata/toolinfo.h"
#include "tooldata/toolstate.h"

#include <QMap>

namespace gearmart {

// The start-up merge: one state per catalog tool. New tools appear as new;
// known ones get their update flag from the versions; states of tools the
// catalog no longer has are dropped.
QMap<int, ToolState> mergeToolStates(const QMap<int, ToolInfo>& catalog, const QMap<int, ToolState>& states);

} // namespace gearmart
