#pragma once

#include "tooldata/toolinfo.h"

#include <QMap>
#include <QString>

namespace gearmart {

// Whether a catalog read from the cloud may be trusted: every text within its
// limit, every name that becomes part of a path a plain file name, a sane
// number of detail pictures. Empty when sound, else the first fault found.
QString catalogFault(const QMap<int, ToolInfo>& catalog);

// A single path component: not empty, no "/" or "\", no "..", no control
// characters.
bool isPlainFileName(const QString& qstrName);

} // namespace gearmart
