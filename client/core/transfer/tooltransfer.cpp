#include "transfer/tooltransfer.h"

#include "log/logging.h"
#include "request/requestmethod.h"
#include "request/requestrouter.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/transferfailure.h"

#include <QDebug>
#include <algorithm>
#include <limits>

namespace gearmart {

namespace {

// An answer that is no number is no success either.
constexpr int kUnreadableValue = std::numeric_limits<int>::min();

int readValue(const QString& qstrValue)
{
    bool bNumber = false;
    const int iValue = qstrValue.trimmed().toInt(&bNumber, 10);
    return bNumber ? iValue : kUnreadableValue;
}

bool isRunning(TransferState emState)
{
    return emState == TransferState::Downloading || emState == TransferState::Unpacking;
}

bool sameRecord(const TransferRecord& a, const TransferRecord& b)
{
    return a.state == b.state && a.percent == b.percent && a.failureCode == b.failureCode &&
           a.failureReason == b.failureReason && a.figures == b.figures;
}

} // namespace

class ToolTransfer::Batch
{
public:
    explicit Batch(ToolTransfer* model) : m_pModel(model) { ++m_pModel->m_iDepth; }
    ~Batch()
    {
        if (--m_pModel->m_iDepth == 0)
            m_pModel->announce();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    ToolTransfer* m_pModel;
};

ToolTransfer::ToolTransfer(RequestRouter* router, QObject* parent) : QObject(parent), m_pRouter(router)
{
    qRegisterMetaType<QVector<int>>("QVector<int>");
    qRegisterMetaType<TransferState>();
    registerTransferProgressMetaTypes();
    m_pollTimer.setInterval(kPollInterval);
    connect(&m_pollTimer, &QTimer::timeout, this, &ToolTransfer::poll);
    connect(router, &RequestRouter::signalServerResponded, this, &ToolTransfer::onServerResponded);
    connect(router, &RequestRouter::signalWaitingToolsStartDownload, this,
            &ToolTransfer::onWaitingToolsStartDownload);
    connect(router, &RequestRouter::signalTransferProgress, this, &ToolTransfer::onTransferProgress);
    connect(router, &RequestRouter::signalTransferFailures, this, &ToolTransfer::onTransferFailures);
}

TransferRecord ToolTransfer::record(int iToolkey) const
{
    return m_entries.value(iToolkey).record;
}

void ToolTransfer::setPollInterval(int iMilliseconds)
{
    m_pollTimer.setInterval(iMilliseconds);
}

void ToolTransfer::download(QVector<int> toolKeys)
{
    Batch batch(this);
    QVector<int> toSend;
    for (int key : qAsConst(toolKeys)) {
        if (!ToolDataManager::instance()->toolInfos().contains(key))
            continue;
        Entry& entry = m_entries[key];
        if (entry.pending == Pending::Cancel) {
            // Sent once the cancel is answered: the service must see the
            // cancel first, or it would cancel the new download.
            entry.next = Pending::Download;
            setState(key, TransferState::Downloading);
            continue;
        }
        if (entry.pending == Pending::Download) {
            // The request is still out; a cancel asked for meanwhile is off.
            entry.next = Pending::None;
            setState(key, TransferState::Downloading);
            continue;
        }
        if (entry.record.isActive())
            continue;
        m_reasons.remove(key);
        setState(key, TransferState::Downloading);
        entry.pending = Pending::Download;
        noteFolderBefore(key);
        toSend.append(key);
    }
    send(DownloadSubTool, toSend);
}

void ToolTransfer::cancel(int iToolkey)
{
    Batch batch(this);
    const auto it = m_entries.find(iToolkey);
    if (it == m_entries.end())
        return;
    Entry& entry = it.value();
    if (entry.pending != Pending::None) {
        // Sent (or dropped) once the request out is answered.
        entry.next = entry.pending == Pending::Download ? Pending::Cancel : Pending::None;
        setState(iToolkey, TransferState::Cancelling);
        return;
    }
    if (!entry.record.isActive() && entry.record.state != TransferState::Failed)
        return;
    setState(iToolkey, TransferState::Cancelling);
    entry.pending = Pending::Cancel;
    send(CancelDownloadSubTool, {iToolkey});
}

void ToolTransfer::onServiceLost()
{
    {
        Batch batch(this);
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            Entry& entry = it.value();
            const TransferRecord& record = entry.record;
            const bool bCancelled =
                record.state == TransferState::Cancelling && entry.next != Pending::Download;
            // A poll that could not reach the dying service failed first.
            const bool bCutOff = record.state == TransferState::Failed &&
                                 record.failureCode == ClientValue::ExchangeFailedCode &&
                                 record.failureReason.isEmpty();
            const bool bLost = record.isActive() || entry.pending == Pending::Download ||
                               entry.next == Pending::Download || bCutOff;
            entry.pending = Pending::None;
            entry.next = Pending::None;
            if (bCancelled)
                setState(it.key(), TransferState::Idle);
            else if (bLost)
                fail(it.key(), localprotocol::StatusFailed, QLatin1String(TransferFailure::kLostReason));
        }
    }
    // Its answers for the keys lost come too late for the records above.
    m_pRouter->onServiceLost();
}

void ToolTransfer::onServerResponded(int method, QMap<int, QString> toolkeyToServerValue)
{
    Batch batch(this);
    for (auto it = toolkeyToServerValue.cbegin(); it != toolkeyToServerValue.cend(); ++it) {
        if (!m_entries.contains(it.key()))
            continue;
        const int iValue = readValue(it.value());
        switch (method) {
        case DownloadSubTool:
            onDownloadAnswer(it.key(), iValue);
            break;
        case DownloadProgress:
            onProgressAnswer(it.key(), iValue);
            break;
        case CancelDownloadSubTool:
            onCancelAnswer(it.key());
            break;
        default:
            break;
        }
    }
}

void ToolTransfer::onDownloadAnswer(int iToolkey, int iValue)
{
    Entry& entry = m_entries[iToolkey];
    if (entry.pending != Pending::Download)
        return;
    entry.pending = Pending::None;
    if (entry.next == Pending::Cancel) {
        entry.next = Pending::None;
        if (iValue == 0 || iValue == ClientValue::WaitingCode) {
            entry.pending = Pending::Cancel;
            send(CancelDownloadSubTool, {iToolkey});
        } else {
            setState(iToolkey, TransferState::Idle);
        }
        return;
    }
    if (iValue == 0)
        setState(iToolkey, TransferState::Downloading);
    else if (iValue == ClientValue::WaitingCode)
        setState(iToolkey, TransferState::Waiting);
    else
        fail(iToolkey, iValue, QString());
}

void ToolTransfer::onProgressAnswer(int iToolkey, int iValue)
{
    Entry& entry = m_entries[iToolkey];
    // Answers to polls sent before a cancel or a new start are no news.
    if (entry.pending != Pending::None || !entry.record.isActive())
        return;
    if (iValue >= 0 && iValue <= localprotocol::StatusReceived) {
        const TransferRecord before = entry.record;
        setState(iToolkey, iValue == localprotocol::StatusReceived ? TransferState::Unpacking
                                                                   : TransferState::Downloading);
        entry.record.percent = iValue;
        if (!sameRecord(before, entry.record))
            m_changed.insert(iToolkey);
    } else if (iValue == localprotocol::StatusInstalled) {
        finish(iToolkey);
    } else if (iValue == ClientValue::WaitingCode) {
        setState(iToolkey, TransferState::Waiting);
    } else {
        fail(iToolkey, iValue, m_reasons.value(iToolkey));
    }
}

void ToolTransfer::onCancelAnswer(int iToolkey)
{
    Entry& entry = m_entries[iToolkey];
    if (entry.pending != Pending::Cancel)
        return;
    entry.pending = Pending::None;
    if (entry.next == Pending::Download) {
        entry.next = Pending::None;
        entry.pending = Pending::Download;
        setState(iToolkey, TransferState::Downloading);
        noteFolderBefore(iToolkey);
        send(DownloadSubTool, {iToolkey});
        return;
    }
    setState(iToolkey, TransferState::Idle);
}

void ToolTransfer::onWaitingToolsStartDownload(int iToolkey)
{
    Batch batch(this);
    const auto it = m_entries.find(iToolkey);
    if (it == m_entries.end() || it->record.state != TransferState::Waiting || it->pending != Pending::None)
        return;
    // The router has sent it on.
    it->pending = Pending::Download;
    setState(iToolkey, TransferState::Downloading);
}

void ToolTransfer::onTransferProgress(QMap<int, TransferProgress> toolkeyToProgress)
{
    Batch batch(this);
    for (auto it = toolkeyToProgress.cbegin(); it != toolkeyToProgress.cend(); ++it) {
        const auto entry = m_entries.find(it.key());
        if (entry == m_entries.end() || entry->pending != Pending::None || !isRunning(entry->record.state) ||
            entry->record.figures == it.value())
            continue;
        entry->record.figures = it.value();
        m_changed.insert(it.key());
    }
}

void ToolTransfer::onTransferFailures(QMap<int, QString> toolkeyToFailure)
{
    for (auto it = toolkeyToFailure.cbegin(); it != toolkeyToFailure.cend(); ++it) {
        if (it.value().isEmpty())
            m_reasons.remove(it.key());
        else
            m_reasons.insert(it.key(), it.value());
    }
}

void ToolTransfer::poll()
{
    Batch batch(this);
    QVector<int> keys;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->pending == Pending::None && isRunning(it->record.state))
            keys.append(it.key());
    }
    send(DownloadProgress, keys);
}

void ToolTransfer::send(int method, const QVector<int>& toolKeys)
{
    if (!toolKeys.isEmpty())
        m_pRouter->onBuildClientRequest(method, toolKeys);
}

void ToolTransfer::noteFolderBefore(int iToolkey)
{
    // Only an update replaces anything worth going back to.
    ToolDataManager* data = ToolDataManager::instance();
    Entry& entry = m_entries[iToolkey];
    entry.before = data->toolStates().value(iToolkey).IsDownload == 1
                       ? UnzipFolderSnapshot::take(data->unzipFolder(iToolkey))
                       : UnzipFolderSnapshot();
}

void ToolTransfer::setState(int iToolkey, TransferState emState)
{
    TransferRecord& record = m_entries[iToolkey].record;
    const TransferRecord before = record;
    record.state = emState;
    if (emState != TransferState::Failed) {
        record.failureCode = 0;
        record.failureReason.clear();
    }
    // A new run starts from nothing; a failure keeps where it stopped.
    if (!isRunning(emState))
        record.figures = TransferProgress();
    if ((isRunning(emState) && !isRunning(before.state)) ||
        (emState != TransferState::Failed && !isRunning(emState)))
        record.percent = 0;
    if (!sameRecord(before, record))
        m_changed.insert(iToolkey);
}

void ToolTransfer::fail(int iToolkey, int iCode, const QString& qstrReason)
{
    setState(iToolkey, TransferState::Failed);
    TransferRecord& record = m_entries[iToolkey].record;
    if (record.failureCode != iCode || record.failureReason != qstrReason)
        m_changed.insert(iToolkey);
    record.failureCode = iCode;
    record.failureReason = qstrReason;
    qCDebug(lcRequest) << "transfer of tool" << iToolkey << "failed:" << iCode << qstrReason;
}

void ToolTransfer::finish(int iToolkey)
{
    // The installed version is now the catalog's: no page offers the same
    // update again, and the next start does not either.
    ToolDataManager* data = ToolDataManager::instance();
    ToolState& state = data->toolStates()[iToolkey];
    const QString replacedVersion = state.IsDownload == 1 ? state.CurrentVersion : QString();
    state.ToolKey = iToolkey;
    state.IsDownload = 1;
    state.IsNeedUpdate = 0;
    data->setCurrentVersion(iToolkey, data->toolInfos().value(iToolkey).Version);
    data->registerTool(iToolkey);
    Entry& entry = m_entries[iToolkey];
    data->recordInstall(iToolkey, replacedVersion, entry.before.replacedEntries());
    entry.before = UnzipFolderSnapshot();
    setState(iToolkey, TransferState::Done);
}

void ToolTransfer::announce()
{
    updatePolling();
    if (m_changed.isEmpty())
        return;
    QVector<int> keys(m_changed.cbegin(), m_changed.cend());
    m_changed.clear();
    std::sort(keys.begin(), keys.end());
    emit signalTransfersChanged(keys);
}

void ToolTransfer::updatePolling()
{
    const bool bAny = std::any_of(m_entries.cbegin(), m_entries.cend(), [](const Entry& entry) {
        return entry.pending == Pending::None && isRunning(entry.record.state);
    });
    if (!bAny)
        m_pollTimer.stop();
    else if (!m_pollTimer.isActive())
        m_pollTimer.start();
}

} // namespace gearmart
