#pragma once

#include "localprotocol/localprotocol.h"

#include <QString>

namespace gearmart {

// The protocol's own method numbers, by their names in the client's namespace.
using localprotocol::RequestMethod;
using localprotocol::DownloadMaterial;
using localprotocol::DownloadManageTool;
using localprotocol::DownloadSubTool;
using localprotocol::DownloadProgress;
using localprotocol::CancelDownloadSubTool;
using localprotocol::CheckMaterialVersion;
using localprotocol::CheckManagerVersion;

// Values the client makes up itself, in the same slot as the service's.
namespace ClientValue {
enum Code : int
{
    ExchangeFailedCode = 110, // the HTTP exchange with the service failed
    WaitingCode = 120,        // waits in the client's download queue
    NoUrlCode = 130,          // the request carried no URL
    NoClientCode = 140,       // no HTTP client could be made
};
inline const QString ExchangeFailed = QString::number(ExchangeFailedCode);
inline const QString Waiting = QString::number(WaitingCode);
inline const QString NoUrl = QString::number(NoUrlCode);
inline const QString NoClient = QString::number(NoClientCode);
} // namespace ClientValue

// The endpoint path of a method, "/OtherReqire?format=json" for the rest.
QString endpointFor(int method);
// "http://127.0.0.1:PORT" + the endpoint.
QString requestUrlFor(int port, int method);
// Pool priority: downloads 1, progress and cancel 0, the rest 2.
int priorityFor(int method);

} // namespace gearmart
