#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <functional>

namespace gearmart {

// Moves the downloaded tools ("/SubTools") from the configured download
// folder to a new one. The copy and the removal run on a worker thread; the
// configuration is written on the caller's (GUI) thread between them. The
// old folder goes only after the new path is saved, so a failure at any
// point leaves every tool where the configuration says it is.
class DownloadFolderMover : public QObject
{
    Q_OBJECT

public:
    static constexpr double kMinimumFreeGiB = 2.0;

    // Why a move may not start, or how it ended.
    enum class Result
    {
        Moved,
        Downloading,  // downloads in flight
        ToolRunning,  // a downloaded tool runs
        Cancelled,    // no folder chosen
        SameOrInside, // the new folder overlaps the tools' folder
        NotWritable,  // the new folder cannot be written to
        NoRoom,       // under 2 GiB free, or less than the tools need
        CopyFailed,
        SaveFailed,
    };
    Q_ENUM(Result)

    using FreeSpaceProbe = std::function<double(const QString& qstrPath)>; // GiB
    using RunningProbe = std::function<bool(const QString& qstrExeName)>;

    explicit DownloadFolderMover(QObject* parent = nullptr);
    ~DownloadFolderMover() override;

    void setFreeSpaceProbe(FreeSpaceProbe probe) { m_freeSpace = std::move(probe); }
    void setRunningProbe(RunningProbe probe) { m_running = std::move(probe); }

    // Before asking for a folder: no downloads, no downloaded tool running.
    Result checkStart(int iDownloadingCount) const;
    // After the folder is chosen: a real, separate place with room.
    Result checkTarget(const QString& qstrCurrentPath, const QString& qstrNewPath) const;

    // Starts the move; signalFinished reports its end. False while one runs.
    bool start(const QString& qstrCurrentPath, const QString& qstrNewPath);
    bool isRunning() const { return m_stage != Stage::Idle; }

    // What the last refusal or failure was about, for telling the user.
    QString runningToolName() const { return m_qstrRunningTool; }
    qint64 neededBytes() const { return m_iNeededBytes; }
    double freeGiBAtTarget() const { return m_dFreeGiB; }
    QString newPath() const { return m_qstrNewPath; }

signals:
    void signalFinished(gearmart::DownloadFolderMover::Result result);

private:
    enum class Stage
    {
        Idle,
        Copying,
        DroppingCopy,
        RemovingOld,
    };

    void onWorkDone();
    void finish(Result result);

    FreeSpaceProbe m_freeSpace;
    RunningProbe m_running;
    QFutureWatcher<Result> m_watcher;
    Stage m_stage = Stage::Idle;
    Result m_pending = Result::Moved;
    QString m_qstrConfiguredPath;
    QString m_qstrOldPath;
    QString m_qstrNewPath;
    bool m_bTargetExisted = false;
    mutable QString m_qstrRunningTool;
    mutable double m_dFreeGiB = 0;
    qint64 m_iNeededBytes = 0; // written by the worker, read once it has finished
};

} // namespace gearmart
