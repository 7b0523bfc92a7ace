#include "platform/desktopintegration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QStringList desktopIntegrationFiles(const QString& appId)
{
    if (appId.trimmed().isEmpty() || appId.startsWith(QLatin1Char('.')) || appId.contains(QLatin1Char('/')) ||
        appId.contains(QChar(0)))
        return {};
    QStringList files{QStringLiteral("applications/") + appId + QStringLiteral(".desktop"),
                      QStringLiteral("metainfo/") + appId + QStringLiteral(".metainfo.xml")};
    for (const char* size : {"48x48", "128x128", "256x256"})
        files << QStringLiteral("icons/hicolor/") + QLatin1String(size) + QStringLiteral("/apps/") + appId +
                     QStringLiteral(".png");
    files << QStringLiteral("icons/hicolor/scalable/apps/") + appId + QStringLiteral(".svg");
    return files;
}

bool removeDesktopIntegration(const QString& appId)
{
    const QStringList files = desktopIntegrationFiles(appId);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (files.isEmpty() || data.isEmpty())
        return false;
    bool removed = true;
    for (const QString& relative : files) {
        const QString path = data + QLatin1Char('/') + relative;
        const QFileInfo info(path);
        if ((info.exists() || info.isSymLink()) && !QFile::remove(path))
            removed = false;
        // rmdir takes a folder only when it is empty: what else lives there stays.
        QString folder = QFileInfo(relative).path();
        while (folder != QLatin1String(".") && QDir(data).rmdir(folder))
            folder = QFileInfo(folder).path();
    }
    return removed;
}

} // namespace platform
