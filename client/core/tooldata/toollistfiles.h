#pragma once

#include "tooldata/toolinfo.h"
#include "tooldata/toolstate.h"

#include <QMap>
#include <QString>

namespace gearmart {

// ToolsInfoList.xml into a fresh map: one record per tool element, a later
// element replacing an earlier one of the same key. Elements without a
// numeric "ToolKey" are skipped. False when the file cannot be read, breaks
// a limit of CatalogLimits or is not sound (catalogFault); pError says why.
bool readToolCatalog(const QString& path, QMap<int, ToolInfo>* pCatalog, QString* pError = nullptr);

// ToolsStateList.xml as written: "IsDownload" is left 0 and the registry
// fields empty, for the caller to fill in.
bool readToolStates(const QString& path, QMap<int, ToolState>* pStates, QString* pError = nullptr);

// The whole state list, ascending by key, replaced atomically.
bool writeToolStates(const QString& path, const QMap<int, ToolState>& states);

} // namespace gearmart
