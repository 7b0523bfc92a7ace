#pragma once

#include <QString>
#include <QStringList>

namespace gearmart {

// The catalog material's folders below the installation: the one in use
// ("ToolsFile"), a downloaded one waiting ("ToolsFileTemp") and the pristine
// copy shipped with the installation ("defaults/ToolsFile"). A new material
// is assembled beside the one in use and swapped in by two renames, so a
// crash never leaves a half-replaced "ToolsFile".
class MaterialFolders
{
public:
    explicit MaterialFolders(const QString& qstrBaseDirectory);

    QString currentFolder() const { return m_qstrBase + QStringLiteral("/ToolsFile"); }
    QString stagedFolder() const { return m_qstrBase + QStringLiteral("/ToolsFileTemp"); }
    QString defaultsFolder() const { return m_qstrBase + QStringLiteral("/defaults/ToolsFile"); }
    static QString catalogPath(const QString& qstrFolder);

    // Completes a swap that a crash cut between its renames, or drops the
    // half-assembled folder when it never began.
    void recoverInterruptedSwap();

    bool hasStaged() const;
    // The staged material's catalog is read in full first; only when it is
    // sound and lists the material and the main program is the current
    // material, overlaid with the staged files, swapped in. The staged
    // folder is gone afterwards either way. False with the cause.
    bool takeOverStaged(QString* pCause);
    // Replaces the material in use by a copy of the shipped one, when that
    // one's catalog is sound. False with the cause.
    bool restoreDefaults(QString* pCause);

private:
    // Assembled in ".part", renamed to ".new" once complete, then swapped
    // with the folder in use, which waits as ".old" until the swap is done.
    QString partFolder() const { return m_qstrBase + QStringLiteral("/ToolsFile.part"); }
    QString nextFolder() const { return m_qstrBase + QStringLiteral("/ToolsFile.new"); }
    QString oldFolder() const { return m_qstrBase + QStringLiteral("/ToolsFile.old"); }
    // The sources' regular files overlaid in order.
    bool assemble(const QStringList& sources, QString* pCause);
    bool swapInNext(QString* pCause);

    QString m_qstrBase;
};

} // namespace gearmart
