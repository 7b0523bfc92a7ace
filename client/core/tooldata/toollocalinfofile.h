#pragma once

#include "tooldata/toollocalinfo.h"

#include <QMap>
#include <QString>

namespace gearmart {

// ToolsLocalInfo.xml, beside the state list. A missing file reads as an
// empty map. False when the file is there but cannot be read, breaks the
// state list's limits or is no such list; pError says why and the map is
// left empty. Entry names that are not plain names in the unzip folder are
// dropped with the previous copy they describe.
bool readToolLocalInfo(const QString& path, QMap<int, ToolLocalInfo>* pInfos, QString* pError = nullptr);

// The whole file, ascending by key, tools with nothing to say left out;
// replaced at once and never written through a link.
bool writeToolLocalInfo(const QString& path, const QMap<int, ToolLocalInfo>& infos);

// A name that stays inside the folder it is joined to.
bool isPlainEntryName(const QString& qstrName);

} // namespace gearmart
