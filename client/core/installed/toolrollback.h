#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace gearmart {

// Puts the version an update replaced back in place: each entry NAME of the
// tool in its unzip folder changes places with ".NAME.previous" beside it,
// so that the newer version becomes the kept one. All or nothing: when one
// exchange fails, those done are undone.
class ToolRollback
{
public:
    ToolRollback(QString qstrFolder, QStringList entries);

    // Asked before each exchange; false fails it (tests break a roll back
    // at any entry).
    void setStepCheck(std::function<bool()> check) { m_stepCheck = std::move(check); }

    // Every entry has its kept copy, a real file or folder (a link there
    // would become the tool).
    bool isPossible() const;
    bool apply();
    // Why apply() failed, naming the entry.
    const QString& error() const { return m_qstrError; }
    // An undo failed too: the tool may be a mix of both versions.
    bool isMixed() const { return m_bMixed; }

private:
    enum class Done
    {
        Exchanged,
        Moved, // nothing stood at NAME: the kept copy was moved there
    };
    bool step(const QString& qstrEntry, Done* pDone);
    void undo(const QVector<QPair<QString, Done>>& done);
    QString pathOf(const QString& qstrName) const;

    QString m_qstrFolder;
    QStringList m_entries;
    std::function<bool()> m_stepCheck;
    QString m_qstrError;
    bool m_bMixed = false;
};

} // namespace gearmart
