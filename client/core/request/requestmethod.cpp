#include "request/requestmethod.h"

namespace gearmart {

using namespace localprotocol;

QString endpointFor(int method)
{
    switch (method) {
    case DownloadMaterial:
        return QStringLiteral("/DownloadMaterial?format=json");
    case DownloadManageTool:
        return QStringLiteral("/DownloadManageTool?format=json");
    case DownloadSubTool:
        return QStringLiteral("/DownloadSubTool?format=json");
    case DownloadProgress:
        return QStringLiteral("/DownloadProgress?format=json");
    case CancelDownloadSubTool:
        return QStringLiteral("/CancelDownloadSubTool?format=json");
    default:
        return QStringLiteral("/OtherReqire?format=json");
    }
}

QString requestUrlFor(int port, int method)
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(port) + endpointFor(method);
}

int priorityFor(int method)
{
    switch (method) {
    case DownloadMaterial:
    case DownloadManageTool:
    case DownloadSubTool:
        return 1;
    case DownloadProgress:
    case CancelDownloadSubTool:
        return 0;
    default:
        return 2;
    }
}

} // namespace gearmart
