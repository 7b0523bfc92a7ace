#pragma once

#include <QString>

namespace gearmart {

// Method numbers of the local protocol, shared with the service.
enum RequestMethod : int {
    DownloadMaterial = 1,
    DownloadManageTool = 2,
    DownloadSubTool = 3,
    DownloadProgress = 4,
    CancelDownloadSubTool = 5,
    CheckMaterialVersion = 6,
    CheckManagerVersion = 7,
};

// Values the client makes up itself, in the same slot as the service's.
namespace ClientValue {
inline const QString ExchangeFailed = QStringLiteral("110");
inline const QString Waiting = QStringLiteral("120");
inline const QString NoUrl = QStringLiteral("130");
inline const QString NoClient = QStringLiteral("140");
} // namespace ClientValue

// The endpoint path of a method, "/OtherReqire?format=json" for the rest.
QString endpointFor(int method);
// "http://127.0.0.1:PORT" + the endpoint.
QString requestUrlFor(int port, int method);
// Pool priority: downloads 1, progress and cancel 0, the rest 2.
int priorityFor(int method);

} // namespace gearmart
