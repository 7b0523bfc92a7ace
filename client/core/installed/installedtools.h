#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QVector>
#include <functional>

namespace gearmart {

// What the pages show and do for a tool on disk beyond its transfer: its
// facts (installed version, size, date), going back to the version its last
// update replaced, and skipping an update. One per process, GUI thread; the
// tool data behind it stays in ToolDataManager.
class InstalledTools : public QObject
{
    Q_OBJECT

public:
    // Stands for a version nobody recorded: older than any the catalog
    // offers, so that the newer one stays an update.
    static const QString kUnknownVersion;

    struct Facts
    {
        QString installedVersion; // kUnknownVersion when not known
        qint64 sizeBytes = -1;    // -1 while it is being measured
        QDateTime installedAt;    // recorded, else the folder's modification time
        QString folder;
    };

    struct RollbackOffer
    {
        bool available = false;
        QString version; // empty when not known
    };

    enum class Rollback
    {
        RolledBack,
        Running,     // the tool runs
        NothingKept, // no complete previous version
        Failed,      // nothing changed
        Mixed,       // failed, and an undo failed too
    };

    static InstalledTools* instance();
    static void resetInstanceForTest();

    // The size comes later (signalFactsChanged) the first time and after
    // every install, update or roll back.
    Facts facts(int iToolkey);
    RollbackOffer rollbackOffer(int iToolkey) const;
    // The tool must not run; the version it goes back to is recorded, and
    // the catalog's newer one skipped.
    Rollback rollBack(int iToolkey);

    // Hides the catalog's version of the tool until a newer one comes. False
    // when the choice holds for this session only (the file was not written).
    bool skipUpdate(int iToolkey);
    bool undoSkip(int iToolkey);
    // Keys whose update is skipped, ascending.
    QVector<int> skippedTools() const;

    void setStepCheckForTesting(std::function<bool()> check) { m_stepCheck = std::move(check); }
    void waitForMeasurementsForTesting();

signals:
    void signalFactsChanged(int iToolkey);
    // Whether an update or a roll back is offered changed.
    void signalOffersChanged(int iToolkey);

private:
    struct Size
    {
        qint64 bytes = -1;
        // The install and the folder it was measured for.
        QDateTime stamp;
        QString folder;
        bool measuring = false;
    };

    InstalledTools();
    ~InstalledTools() override;

    QStringList keptEntries(int iToolkey) const;
    void measure(int iToolkey, const QString& qstrFolder, const QDateTime& stamp);
    void onMeasured(int iToolkey, const QString& qstrFolder, const QDateTime& stamp, qint64 bytes);

    QHash<int, Size> m_sizes;
    QThreadPool m_pool;
    std::function<bool()> m_stepCheck;
};

} // namespace gearmart
