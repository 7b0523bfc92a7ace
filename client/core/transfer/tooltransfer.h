#pragma once

#include "request/transferprogress.h"
#include "tooldata/unzipfoldersnapshot.h"
#include "transfer/transferrecord.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QVector>

namespace gearmart {

class RequestRouter;

// Every tool's download or update, once, for all the views that show it.
// Views render a tool's record and hand the user's actions here; this
// model alone reads the service's answers, polls the running downloads
// (all of them in one progress request a second), and writes the tool
// states when a download ends. Changes are announced in batches: one
// signal per answer or action, with every tool it changed.
class ToolTransfer : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPollInterval = 1000;

    explicit ToolTransfer(RequestRouter* router, QObject* parent = nullptr);

    // An idle record for a tool never transferred.
    TransferRecord record(int iToolkey) const;
    // The service's last reason for a failed download of any key, the main
    // program's included; empty when it gave none.
    QString failureReasonOf(int iToolkey) const { return m_reasons.value(iToolkey); }

    // Tests shorten it.
    void setPollInterval(int iMilliseconds);
    int pollInterval() const { return m_pollTimer.interval(); }
    bool isPolling() const { return m_pollTimer.isActive(); }
    const QTimer& pollTimer() const { return m_pollTimer; }

public slots:
    // Downloads, updates and retries alike; several keys go in one request,
    // so the queue takes them in this order. Keys outside the catalog and
    // tools already under way are left alone.
    void download(QVector<int> toolKeys);
    void downloadTool(int iToolkey) { download({iToolkey}); }
    void cancel(int iToolkey);
    // The service ended on its own: what ran with it has failed, and the
    // router waits for the next one.
    void onServiceLost();

    // The router's answers.
    void onServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void onWaitingToolsStartDownload(int iToolkey);
    void onTransferProgress(QMap<int, gearmart::TransferProgress> toolkeyToProgress);
    void onTransferFailures(QMap<int, QString> toolkeyToFailure);
    // One progress request for every accepted download.
    void poll();

signals:
    void signalTransfersChanged(QVector<int> toolKeys);

private:
    // The request a key has sent and not yet had answered; the next one
    // waits for its answer, so that the service sees them in order.
    enum class Pending
    {
        None,
        Download,
        Cancel,
    };
    struct Entry
    {
        TransferRecord record;
        Pending pending = Pending::None;
        Pending next = Pending::None; // what the user asked for meanwhile
        // The unzip folder before an update, to learn what it replaced.
        UnzipFolderSnapshot before;
    };
    // Announces the changes once the outermost handling is over.
    class Batch;

    void onDownloadAnswer(int iToolkey, int iValue);
    void onProgressAnswer(int iToolkey, int iValue);
    void onCancelAnswer(int iToolkey);
    void send(int method, const QVector<int>& toolKeys);
    void noteFolderBefore(int iToolkey);
    void setState(int iToolkey, TransferState emState);
    void fail(int iToolkey, int iCode, const QString& qstrReason);
    void finish(int iToolkey);
    void announce();
    void updatePolling();

    RequestRouter* m_pRouter;
    QMap<int, Entry> m_entries;
    QMap<int, QString> m_reasons;
    QSet<int> m_changed;
    QTimer m_pollTimer;
    int m_iDepth = 0;
};

} // namespace gearmart
