#pragma once

#include "request/clientrequest.h"
#include "request/requestmethod.h"
#include "request/transferprogress.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

namespace gearmart {

class ClientRequestManager;

// How requests leave the router: the request manager in the client, a
// recorder in tests.
struct RequestTransport
{
    std::function<void(const ClientRequest&)> send;

    static RequestTransport over(ClientRequestManager* manager);
};

// Where the router learns each key's URL and target folder.
struct RequestSources
{
    std::function<QString(int key)> downloadAddress; // package URL of a tool key
    std::function<QString()> serverAddress;          // the cloud endpoint (version checks)
    std::function<QString(int key)> unzipDir;        // where the key's package is unpacked
};

// The client's side of the conversation with the service: turns a method
// and tool keys into one request, keeps at most three downloads in flight
// with the rest waiting, and turns replies into tool-key results.
class RequestRouter : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxDownloads = 3;
    // What a download lost with its service reads as: a failure.
    static constexpr int kLostStatus = localprotocol::StatusFailed;

    RequestRouter(RequestTransport transport, RequestSources sources, QObject* parent = nullptr);

    // Sends the requests held so far to that port.
    void setPort(int port);
    // While holding, requests wait in the router instead of going to a port
    // the service has not confirmed; ending the hold sends them as they are.
    void setHolding(bool bHolding);
    int port() const { return m_port; }
    const QMap<QString, int>& inFlight() const { return m_inFlight; }
    const QList<int>& waiting() const { return m_waiting; }
    int heldCount() const { return m_held.size(); }

    // A reply read into key -> value and, where the entries carry byte
    // figures, key -> figures. Unknown URLs give key -1 among the values
    // and no figures.
    struct ParsedReply
    {
        int method = 0;
        QMap<int, QString> values;
        QMap<int, TransferProgress> transfers;
        QMap<int, QString> failures; // progress only: why a download failed, or empty
    };
    ParsedReply parseReply(const QString& response) const;
    // Reads a reply into key -> value. Unknown URLs give key -1.
    QMap<int, QString> parseResult(const QString& response, int& method) const;

public slots:
    void onBuildClientRequest(int method, QVector<int> keys);
    void onSolveRequestResult(int error, QString response);
    // The service ended with downloads under way: each of them, and each
    // waiting key, is answered as failed, and requests wait for a new port.
    void onServiceLost();

signals:
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalDownloadingCount(int count);
    void signalWaitingToolsStartDownload(int iToolkey);
    // After the signalServerResponded of each progress reply: the byte
    // figures of every key that reply answered, unknown where it had none.
    void signalTransferProgress(QMap<int, gearmart::TransferProgress> toolkeyToProgress);
    // For every key of a progress answer, the reason the service gives for a
    // failed download ("checksum") or empty; sent before the values so that a
    // page showing the failure can name its cause.
    void signalTransferFailures(QMap<int, QString> toolkeyToFailure);

private:
    void queueKey(int method, int key);
    void release(int method, const QMap<int, QString>& values);

    RequestTransport m_transport;
    RequestSources m_sources;
    int m_port = -1;
    bool m_bHolding = false;
    QList<ClientRequest> m_held;
    QMap<QString, int> m_inFlight;
    QList<int> m_waiting;
};

} // namespace gearmart
