#pragma once

#include <QString>

namespace platform {

// Opens a local file or folder with the desktop's default handler (the PDF
// viewer, the file manager). False when no handler took it.
bool openWithDesktop(const QString& localPath);

} // namespace platform
