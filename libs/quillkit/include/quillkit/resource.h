#pragma once

#include <QString>

namespace quillkit {

// Registers the binary resource file strRccPath (Quillkit's pictures and
// style sheet) and returns in strStyleSheet the text of every style sheet
// under ":/QuillKit/qss/", for the caller to set on the application.
// A file registered before is kept as it is unless bReload asks to register
// it again (after it changed on disk). False, with an empty style sheet, when
// the file cannot be registered.
bool InitResource(const QString& strRccPath, QString& strStyleSheet, bool bReload);

// The running program's folder, ending in "/".
QString GetTargetPath();

} // namespace quillkit
