#include "platform/systeminfo.h"
#include "platform/userfolders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QStringList wellKnownFolders()
{
    QStringList folders{QStringLiteral("/")};
    for (const char* top :
         {"bin", "boot", "dev",  "etc", "home", "lib", "lib32", "lib64", "libx32", "media", "mnt",
          "opt", "proc", "root", "run", "sbin", "srv", "sys",   "tmp",   "usr",    "var"})
        folders << QStringLiteral("/") + QLatin1String(top);
    for (const char* parent : {"/usr", "/var"}) {
        const QDir dir(QString::fromLatin1(parent));
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
            folders << dir.filePath(name);
    }
    for (const char* local :
         {"bin", "etc", "games", "include", "lib", "lib64", "libexec", "man", "sbin", "share", "src"})
        folders << QStringLiteral("/usr/local/") + QLatin1String(local);

    const QString home = homeFolder();
    if (!home.isEmpty())
        folders << home + QStringLiteral("/.local") << home + QStringLiteral("/.config")
                << home + QStringLiteral("/.cache");
    for (const auto location :
         {QStandardPaths::DesktopLocation, QStandardPaths::DocumentsLocation,
          QStandardPaths::DownloadLocation, QStandardPaths::MusicLocation, QStandardPaths::MoviesLocation,
          QStandardPaths::PicturesLocation, QStandardPaths::ApplicationsLocation,
          QStandardPaths::GenericDataLocation, QStandardPaths::GenericConfigLocation,
          QStandardPaths::GenericCacheLocation, QStandardPaths::TempLocation}) {
        const QString path = QStandardPaths::writableLocation(location);
        if (!path.isEmpty())
            folders << path;
    }
    folders.removeDuplicates();
    return folders;
}

} // namespace platform
