#include "request/requestrouter.h"

#include "log/logging.h"
#include "request/clientrequest.h"
#include "request/clientrequestmanager.h"
#include "request/requestmethod.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <utility>

namespace gearmart {

using namespace localprotocol;

namespace {
bool isDownload(int method)
{
    return method == DownloadMaterial || method == DownloadManageTool || method == DownloadSubTool;
}
} // namespace

RequestTransport RequestTransport::over(ClientRequestManager* manager)
{
    return {[manager](const ClientRequest& request) { manager->send(request); }};
}

RequestRouter::RequestRouter(RequestTransport transport, RequestSources sources, QObject* parent)
    : QObject(parent), m_transport(std::move(transport)), m_sources(std::move(sources))
{
    qRegisterMetaType<QMap<int, QString>>("QMap<int,QString>");
    qRegisterMetaType<QVector<int>>("QVector<int>");
    registerTransferProgressMetaTypes();
}

void RequestRouter::queueKey(int method, int key)
{
    if (m_waiting.contains(key))
        return;
    m_waiting.append(key);
    emit signalServerResponded(method, {{key, ClientValue::Waiting}});
}

void RequestRouter::onBuildClientRequest(int method, QVector<int> keys)
{
    if (method == DownloadProgress) {
        for (int key : qAsConst(keys)) {
            if (m_waiting.contains(key))
                emit signalServerResponded(DownloadProgress, {{key, ClientValue::Waiting}});
        }
    } else if (method == CancelDownloadSubTool) {
        for (int key : qAsConst(keys))
            m_waiting.removeAll(key);
    } else if (isDownload(method)) {
        const int free = qMax(0, kMaxDownloads - m_inFlight.size());
        for (int i = free; i < keys.size(); ++i)
            queueKey(method, keys.at(i));
    }

    ClientRequest request;
    request.method = method;
    request.port = m_port;
    for (int key : qAsConst(keys)) {
        if (m_waiting.contains(key))
            continue;
        const QString url = (method == CheckMaterialVersion || method == CheckManagerVersion)
                                ? m_sources.serverAddress()
                                : m_sources.downloadAddress(key);
        if (url.isEmpty())
            continue;
        m_inFlight.insert(url, key);
        request.urlToUnzipDir.insert(url, m_sources.unzipDir(key));
    }
    if (request.urlToUnzipDir.isEmpty())
        return;
    if (m_bHolding && m_port < 0)
        m_held.append(request);
    else
        m_transport.send(request);
}

void RequestRouter::onServiceLost()
{
    m_port = -1;
    m_bHolding = true;
    QMap<int, QString> failed;
    for (int key : qAsConst(m_inFlight))
        failed.insert(key, QString::number(kLostStatus));
    for (int key : qAsConst(m_waiting))
        failed.insert(key, QString::number(kLostStatus));
    m_inFlight.clear();
    m_waiting.clear();
    emit signalDownloadingCount(0);
    if (!failed.isEmpty())
        emit signalServerResponded(DownloadProgress, failed);
}

void RequestRouter::setPort(int port)
{
    m_port = port;
    if (port >= 0)
        setHolding(false);
}

void RequestRouter::setHolding(bool bHolding)
{
    m_bHolding = bHolding;
    if (bHolding)
        return;
    const QList<ClientRequest> held = std::exchange(m_held, {});
    for (ClientRequest request : held) {
        request.port = m_port;
        m_transport.send(request);
    }
}

RequestRouter::ParsedReply RequestRouter::parseReply(const QString& response) const
{
    ParsedReply reply;
    const QJsonDocument document = QJsonDocument::fromJson(response.toLatin1());
    if (!document.isObject())
        return reply;
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("method")).isDouble())
        reply.method = root.value(QStringLiteral("method")).toInt();
    const QJsonValue list = root.value(QStringLiteral("urlsToValue"));
    if (!list.isArray())
        return reply;
    for (const QJsonValue& entry : list.toArray()) {
        if (!entry.isObject())
            continue;
        const QJsonObject object = entry.toObject();
        const QString url = object.value(QStringLiteral("url")).toString();
        const QJsonValue value = object.value(QStringLiteral("value"));
        int key = -1;
        // Both version checks ask the same address, so one answer may find the
        // entry already released by the other: the method alone says the key.
        if (reply.method == CheckMaterialVersion && url == m_sources.serverAddress())
            key = 0;
        else if (reply.method == CheckManagerVersion && url == m_sources.serverAddress())
            key = 1;
        else if (m_inFlight.contains(url)) {
            if (reply.method == DownloadMaterial)
                key = 0;
            else if (reply.method == DownloadManageTool || reply.method == CheckManagerVersion)
                key = 1;
            else
                key = m_inFlight.value(url);
        }
        reply.values.insert(key, value.isString() ? value.toString() : QString());
        if (key != -1)
            reply.transfers.insert(key, TransferProgress::fromReplyEntry(object));
        // Every answered key: one without a reason forgets an older one.
        if (key != -1 && reply.method == DownloadProgress)
            reply.failures.insert(key, object.value(QStringLiteral("failure")).toString());
    }
    return reply;
}

QMap<int, QString> RequestRouter::parseResult(const QString& response, int& method) const
{
    ParsedReply reply = parseReply(response);
    method = reply.method;
    return reply.values;
}

void RequestRouter::release(int method, const QMap<int, QString>& values)
{
    for (auto it = m_inFlight.begin(); it != m_inFlight.end();) {
        const int key = it.value();
        bool drop = false;
        if (method == CheckMaterialVersion) {
            drop = key == 0;
        } else if (method == CheckManagerVersion) {
            drop = key == 1;
        } else if (values.contains(key)) {
            const int value = values.value(key).toInt();
            if (isDownload(method))
                drop = value != 0; // not accepted
            else if (method == DownloadProgress)
                drop = value < 0 || value > StatusReceived; // ended
            else if (method == CancelDownloadSubTool)
                drop = value == 0; // cancelled
        }
        it = drop ? m_inFlight.erase(it) : it + 1;
    }
    emit signalDownloadingCount(m_inFlight.size());
}

void RequestRouter::onSolveRequestResult(int error, QString response)
{
    ParsedReply reply = parseReply(response);
    const int method = reply.method;
    QMap<int, QString>& values = reply.values;
    if (error != 0) {
        // Only this request failed: the others, queued or under way, go on.
        if (method == CheckMaterialVersion && values.contains(0))
            values[0].clear();
        if (method == CheckManagerVersion && values.contains(1))
            values[1].clear();
        release(method, values);
        emit signalServerResponded(method, values);
        qCDebug(lcRequest) << "pb12 request result:" << response << "error code:" << error;
        return;
    }
    release(method, values);
    if (method == DownloadProgress && !reply.failures.isEmpty())
        emit signalTransferFailures(reply.failures);
    emit signalServerResponded(method, values);
    // Figures follow the value, so that a page has taken the look the value
    // asks for before it decides whether to show them.
    if (method == DownloadProgress && !reply.transfers.isEmpty())
        emit signalTransferProgress(reply.transfers);
    if (m_inFlight.size() <= kMaxDownloads - 1 && !m_waiting.isEmpty()) {
        const int key = m_waiting.takeFirst();
        onBuildClientRequest(DownloadSubTool, {key});
        emit signalWaitingToolsStartDownload(key);
    }
}

} // namespace gearmart
