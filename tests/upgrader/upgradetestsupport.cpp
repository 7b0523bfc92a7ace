#include "upgradetestsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace upgradetest {

QByteArray setupXml(const QString& needUpdate)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Setup>\n"
           "<Translator>\n<Value>1</Value>\n</Translator>\n"
           "<DownloadPath>\n<Value>/srv/下载 目录/Tools &amp; Games</Value>\n</DownloadPath>\n"
           "<IsNeedUpdate>\n<Value>" +
           needUpdate.toUtf8() +
           "</Value>\n</IsNeedUpdate>\n"
           "<Version>\n<Value>1.1.0.5</Value>\n</Version>\n"
           "<PromptUpgrade>\n<Value>1</Value>\n</PromptUpgrade>\n"
           "</Setup>\n";
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool copyExecutable(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).path());
    QFile::remove(to);
    return QFile::copy(from, to) &&
           QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

QMap<QString, QByteArray> filesUnder(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        files.insert(QDir(dir).relativeFilePath(path),
                     info.isSymLink() ? "link:" + info.symLinkTarget().toUtf8() : readFile(path));
    }
    return files;
}

const QString kStagingMarker = QStringLiteral(".haulmoor-staging");

void writeStagingMarker(const QString& staging, const QByteArray& text)
{
    writeFile(staging + QLatin1Char('/') + kStagingMarker, text);
}

void writeStagedTree(const QString& staging)
{
    writeStagingMarker(staging);
    writeFile(staging + QStringLiteral("/translations/gearmart_zh.qm"), "new translation");
    writeFile(staging + QStringLiteral("/新 文件夹/说明 文本.txt"), "新版本的说明\n");
    writeFile(staging + QStringLiteral("/新 文件夹/深 层/-n"), "a name like an option");
    writeFile(staging + QStringLiteral("/plugins/libLacquer.so"), "new style plugin");
    QDir().mkpath(staging + QStringLiteral("/empty folder"));
}

void writeInstalledFiles(const QString& install)
{
    writeFile(install + QStringLiteral("/keep me.txt"), "not part of the upgrade");
    writeFile(install + QStringLiteral("/plugins/libLacquer.so"), "old style plugin");
}

} // namespace upgradetest
