#include "settings/userdocuments.h"

#include "platform/documents.h"

#include <QFileInfo>

namespace gearmart {

UserDocuments::Result UserDocuments::openManual(const QString& qstrFilePath, const QString& qstrSuffix)
{
    const QFileInfo manual(qstrFilePath);
    if (!manual.exists() || !manual.isFile() || manual.suffix() != qstrSuffix)
        return Result::NotFound;
    return platform::openWithDesktop(manual.absoluteFilePath()) ? Result::Opened : Result::OpenFailed;
}

UserDocuments::Result UserDocuments::openLicenses(const QString& qstrApplicationDir)
{
    const QFileInfo folder(licensesFolder(qstrApplicationDir));
    // A viewer started for a folder that is not there would only show its own error.
    if (!folder.isDir())
        return Result::OpenFailed;
    return platform::openWithDesktop(folder.absoluteFilePath()) ? Result::Opened : Result::OpenFailed;
}

QString UserDocuments::licensesFolder(const QString& qstrApplicationDir)
{
    return qstrApplicationDir + QStringLiteral("/Open Source Software Licenses");
}

} // namespace gearmart
