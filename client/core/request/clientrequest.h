#pragma once

#include <QMap>
#include <QString>

namespace gearmart {

// What the main window hands to the request manager. Ordered by URL, so a
// request never carries the same URL twice.
struct ClientRequest
{
    int method = 0;
    int port = 20000;
    QMap<QString, QString> urlToUnzipDir;
};

// The request body: {"method": N, "urls": [{"url", "unzipDir"}...]}, compact.
QByteArray buildRequestBody(const ClientRequest& request);
// A reply in the service's form with every URL of the request set to value.
QString madeUpReply(const ClientRequest& request, const QString& value);

} // namespace gearmart
