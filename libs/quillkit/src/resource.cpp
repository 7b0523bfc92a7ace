#include "quillkit/resource.h"

#include "quillkit/file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QResource>
#include <QSet>

namespace quillkit {

namespace {

QMutex& registryMutex()
{
    static QMutex mutex;
    return mutex;
}

// Registering one file twice would stack a second copy over the first.
QSet<QString>& registeredFiles()
{
    static QSet<QString> files;
    return files;
}

QString styleSheetText()
{
    const QString folder = QStringLiteral(":/QuillKit/qss/");
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name);
    return CFile::ReadAll(files, folder);
}

} // namespace

bool InitResource(const QString& strRccPath, QString& strStyleSheet, bool bReload)
{
    strStyleSheet.clear();
    const QString path = QFileInfo(strRccPath).absoluteFilePath();
    QMutexLocker lock(&registryMutex());
    if (registeredFiles().contains(path)) {
        if (!bReload) {
            strStyleSheet = styleSheetText();
            return true;
        }
        QResource::unregisterResource(path);
        registeredFiles().remove(path);
    }
    if (strRccPath.isEmpty() || !QResource::registerResource(path))
        return false;
    registeredFiles().insert(path);
    strStyleSheet = styleSheetText();
    return true;
}

QString GetTargetPath()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

} // namespace quillkit
