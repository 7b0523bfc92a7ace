#include "platform/documents.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool openWithDesktop(const QString& localPath)
{
    // fromLocalFile, not "file:///" + path: an absolute Linux path already
    // starts with "/", and a name with "#" or "%" must stay a file name.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(localPath));
}

} // namespace platform
