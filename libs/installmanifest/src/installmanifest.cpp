#include "installmanifest/installmanifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace installmanifest {

const char InstallManifest::kFileName[] = ".gearloft-manifest";
const char InstallManifest::kFormatTag[] = "gearloft-manifest";

QString InstallManifest::filePath(const QString& strFolder)
{
    return strFolder + QLatin1Char('/') + QLatin1String(kFileName);
}

bool InstallManifest::existsIn(const QString& strFolder)
{
    const QFileInfo info(filePath(strFolder));
    return info.exists() || info.isSymLink();
}

bool InstallManifest::isPlainRelativePath(const QString& strPath)
{
    if (strPath.isEmpty() || strPath.contains(QLatin1Char('\n')) || strPath.contains(QLatin1Char('\r')) ||
        strPath.contains(QChar(0)) || QDir::isAbsolutePath(strPath))
        return false;
    for (const QString& part : strPath.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

bool InstallManifest::read(const QString& strFolder)
{
    m_listEntries.clear();
    m_strError.clear();
    QFile file(filePath(strFolder));
    if (!file.open(QIODevice::ReadOnly)) {
        m_strError = QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    const QList<QByteArray> header = lines.first().split(' ');
    bool numeric = false;
    const int version = header.size() == 2 ? header.at(1).toInt(&numeric) : 0;
    if (header.size() != 2 || header.first() != kFormatTag || !numeric || version < 1) {
        m_strError = QStringLiteral("%1 is not an installation manifest").arg(file.fileName());
        return false;
    }
    if (version > kFormatVersion) {
        m_strError = QStringLiteral("%1 has format %2, newer than this program knows (%3)")
                         .arg(file.fileName())
                         .arg(version)
                         .arg(kFormatVersion);
        return false;
    }
    for (int i = 1; i < lines.size(); ++i) {
        if (!lines.at(i).isEmpty())
            m_listEntries << QString::fromUtf8(lines.at(i));
    }
    return true;
}

bool InstallManifest::write(const QString& strFolder)
{
    m_strError.clear();
    sortEntries();
    QByteArray text = QByteArray(kFormatTag) + ' ' + QByteArray::number(kFormatVersion) + '\n';
    for (const QString& entry : qAsConst(m_listEntries))
        text += entry.toUtf8() + '\n';
    QSaveFile file(filePath(strFolder));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        m_strError = QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool InstallManifest::add(const QStringList& listPaths)
{
    m_strError.clear();
    QStringList refused;
    for (const QString& path : listPaths) {
        if (isPlainRelativePath(path))
            m_listEntries << path;
        else
            refused << path;
    }
    sortEntries();
    if (refused.isEmpty())
        return true;
    m_strError = QStringLiteral("not plain relative paths, left out: ") + refused.join(QStringLiteral(", "));
    return false;
}

bool InstallManifest::addFiles(const QString& strFolder, const QStringList& listPaths, QString* pError)
{
    InstallManifest manifest;
    bool ok = manifest.read(strFolder);
    QString error = manifest.errorString();
    if (ok) {
        // The plain paths still go in when some are refused.
        ok = manifest.add(listPaths);
        error = manifest.errorString();
        if (!manifest.write(strFolder)) {
            ok = false;
            error = manifest.errorString();
        }
    }
    if (pError)
        *pError = error;
    return ok;
}

void InstallManifest::sortEntries()
{
    // Byte-wise over UTF-8, as CMake's list(SORT) orders what it writes.
    std::sort(m_listEntries.begin(), m_listEntries.end(),
              [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
    m_listEntries.erase(std::unique(m_listEntries.begin(), m_listEntries.end()), m_listEntries.end());
}

} // namespace installmanifest
