#pragma once

#include <QString>
#include <QStringList>

namespace installmanifest {

// The files an installation consists of, kept in DIR/.gearloft-manifest:
//
//   gearloft-manifest 1
//   AppConfig.xml
//   Swapover/Swapover
//   ...
//
// The first line names the format; then one path a line, relative to DIR,
// '/'-separated, UTF-8, sorted byte-wise (as CMake sorts), no duplicates.
// cmake --install writes it (cmake/GearloftManifest.cmake, which must stay
// in step with this format), the uninstaller removes exactly these files,
// and a self-upgrade adds the files it copied over the installation.
class InstallManifest
{
public:
    static const char kFileName[];
    static const char kFormatTag[];
    static constexpr int kFormatVersion = 1;

    static QString filePath(const QString& strFolder);
    static bool existsIn(const QString& strFolder);

    // A path the manifest can hold safely: relative, without empty, "." or
    // ".." parts, without line breaks. Say nothing about links on the way.
    static bool isPlainRelativePath(const QString& strPath);

    // Reads strFolder's manifest. Lines are kept as written, even those that
    // are no plain relative paths: whoever acts on them decides. False (with
    // errorString()) when the file is missing, unreadable or not of a format
    // this code knows; the entries are then empty.
    bool read(const QString& strFolder);

    // Writes the manifest into strFolder through a temporary file renamed
    // over the old one, so a reader never sees half a list.
    bool write(const QString& strFolder);

    // Adds plain relative paths, keeping the order and uniqueness. Paths
    // that are not plain are left out and named in errorString(); false then.
    bool add(const QStringList& listPaths);

    // read, add, write. A folder without a manifest is not given one: a list
    // holding only the added files would make every other installed file
    // look like the user's own.
    static bool addFiles(const QString& strFolder, const QStringList& listPaths, QString* pError = nullptr);

    QStringList entries() const { return m_listEntries; }
    QString errorString() const { return m_strError; }

private:
    void sortEntries();

    QStringList m_listEntries;
    QString m_strError;
};

} // namespace installmanifest
