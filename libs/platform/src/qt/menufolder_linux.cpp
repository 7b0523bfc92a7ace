#include "platform/desktopentry.h"
#include "platform/menufolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {

QString menuFolderPath(const QString& name)
{
    const QString folder = desktopEntryFolder(EntryFolder::Applications);
    if (folder.isEmpty() || name.trimmed().isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String("..") || name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return {};
    return folder + QLatin1Char('/') + name;
}

bool removeMenuFolder(const QString& name)
{
    const QString path = menuFolderPath(name);
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    // A link standing there goes alone; what it points at is not ours.
    if (info.isSymLink())
        return QFile::remove(path);
    if (!info.exists())
        return true;
    if (!info.isDir())
        return false;
    return QDir(path).removeRecursively();
}

} // namespace platform
