#include "platform/systeminfo.h"

#include "platform/diskspace.h"
#include "platform/paths.h"
#include "platform/processes.h"

#include <QDebug>
#include <QFile>

namespace platform {

double freeDiskGiB(const QString& path)
{
    const std::int64_t bytes = freeDiskBytes(QFile::encodeName(path).toStdString());
    if (bytes < 0) {
        qDebug() << "ERROR: Call to GetDiskFreeSpaceEx() failed.";
        return 0;
    }
    return static_cast<double>(bytes) / (1024.0 * 1024.0 * 1024.0);
}

bool isProgramRunning(const QString& imageName)
{
    return findProcess(QFile::encodeName(imageName).toStdString()) != 0;
}

bool isProgramRunningAt(const QString& path)
{
    return programRunsAt(QFile::encodeName(path).toStdString());
}

QString currentUserName()
{
    return QString::fromStdString(userName());
}

QString homeFolder()
{
    return QFile::decodeName(QByteArray::fromStdString(homeDirectory()));
}

} // namespace platform
