#include "signgatecopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace signintest {

namespace {

bool copyTree(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

} // namespace

QString SigngateCopy::create(const QString& qstrLoginUrl)
{
    const QString built = QStringLiteral(SIGNGATE_BUILD_FOLDER);
    if (!QFileInfo(built + QStringLiteral("/Signgate")).isExecutable())
        return QStringLiteral("no Signgate in ") + built + QStringLiteral(" (build the Signgate target)");
    if (!m_dir.isValid() || !copyTree(built, folder()))
        return QStringLiteral("cannot copy ") + built;
    QFile settings(folder() + QStringLiteral("/signgate.ini"));
    if (!settings.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        settings.write("[Login]\nUrl=" + qstrLoginUrl.toUtf8() + '\n') < 0)
        return QStringLiteral("cannot write ") + settings.fileName();
    for (const char* sub : {"home", "data", "cache", "config"})
        QDir().mkpath(m_dir.filePath(QString::fromLatin1(sub)));
    return QString();
}

QString SigngateCopy::folder() const
{
    return m_dir.filePath(QStringLiteral("Signgate"));
}

QString SigngateCopy::programPath() const
{
    return folder() + QStringLiteral("/Signgate");
}

QProcessEnvironment SigngateCopy::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    return environment;
}

} // namespace signintest
