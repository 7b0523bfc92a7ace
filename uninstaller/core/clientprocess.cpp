#include "clientprocess.h"

#include "platform/processes.h"

#include <QCoreApplication>

namespace appinstaller {

QString ClientProcess::imageName(const QString& strProgramName)
{
    const int slash = strProgramName.lastIndexOf(QLatin1Char('/'));
    return strProgramName.mid(slash + 1).left(260);
}

bool ClientProcess::isRunning(const QString& strProgramName)
{
    const std::string image = imageName(strProgramName).toStdString();
    if (image.empty())
        return false;
    const qint64 self = QCoreApplication::applicationPid();
    for (const platform::ProcessEntry& process : platform::listProcesses()) {
        if (process.pid != self && platform::imageNamesMatch(process.imageName, image))
            return true;
    }
    return false;
}

} // namespace appinstaller
