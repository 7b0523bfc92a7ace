#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

namespace gearmart {

// The start-up steps that read the client's own files (in the installation,
// or in the user's data folder in the packaged layout): the settings, the
// default download folder and the tool data. None of them stops the start:
// what had to be refused or repaired is logged at once and told to the user
// in one tip once the main window shows.
class StartupLoader
{
    Q_DECLARE_TR_FUNCTIONS(gearmart::StartupLoader)

public:
    // The default download folder needs more than this much free space.
    static constexpr double kMinimumFreeGiB = 2.0;

    explicit StartupLoader(const QString& qstrDataDirectory);

    // Setup.xml; a missing or damaged one is replaced by the shipped
    // defaults/Setup.xml, the damaged one kept beside it. With neither usable
    // the store stays empty and every setting reads its fallback.
    void loadSettings();
    // An empty download folder becomes DIR/Download when the disk has room.
    void ensureDownloadPath();
    void loadToolData();

    // What the user is told, one short sentence each, in the order it happened.
    QStringList notices() const { return m_notices; }
    // One tip dialog over the window with all of them; nothing when none.
    void showNotices(QWidget* pParent) const;

private:
    QString m_qstrDataDirectory;
    bool m_bSettingsLoaded = false;
    QStringList m_notices;
};

} // namespace gearmart
