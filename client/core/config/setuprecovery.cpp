#include "config/setuprecovery.h"

#include "config/configlimits.h"
#include "panelcraft/genericds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace gearmart {

namespace {

bool isThere(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString freeDamagedName(const QString& path)
{
    QString name = path + QStringLiteral(".damaged");
    for (int i = 2; isThere(name); ++i)
        name = path + QStringLiteral(".damaged.") + QString::number(i);
    return name;
}

bool fail(QString* pqstrCause, const QString& text)
{
    *pqstrCause = text;
    return false;
}

} // namespace

bool restoreSetupFile(const QString& qstrPath, const QString& qstrDefaultsPath, QString* pqstrKeptAs,
                      QString* pqstrCause)
{
    pqstrKeptAs->clear();
    crestui::GenericDS shipped;
    QString error;
    if (!shipped.loadXML(qstrDefaultsPath, ConfigLimits::setupXml(), &error))
        return fail(pqstrCause, qstrDefaultsPath + QStringLiteral(": ") + error);
    if (isThere(qstrPath)) {
        const QString keptAs = freeDamagedName(qstrPath);
        if (!QDir().rename(qstrPath, keptAs))
            return fail(pqstrCause, qstrPath + QStringLiteral(": cannot be moved to ") + keptAs);
        *pqstrKeptAs = keptAs;
    }
    // The shipped file is read-only in some installations; the copy must not be.
    if (!QFile::copy(qstrDefaultsPath, qstrPath))
        return fail(pqstrCause, qstrPath + QStringLiteral(": cannot be written"));
    QFile::setPermissions(qstrPath, QFile::permissions(qstrPath) | QFile::WriteOwner | QFile::ReadOwner);
    return true;
}

} // namespace gearmart
