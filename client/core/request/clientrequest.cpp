#include "request/clientrequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace gearmart {

QByteArray buildRequestBody(const ClientRequest& request)
{
    QJsonArray urls;
    for (auto it = request.urlToUnzipDir.cbegin(); it != request.urlToUnzipDir.cend(); ++it)
        urls.append(QJsonObject{{QStringLiteral("url"), it.key()}, {QStringLiteral("unzipDir"), it.value()}});
    const QJsonObject body{{QStringLiteral("method"), request.method}, {QStringLiteral("urls"), urls}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

QString madeUpReply(const ClientRequest& request, const QString& value)
{
    QJsonArray values;
    for (auto it = request.urlToUnzipDir.cbegin(); it != request.urlToUnzipDir.cend(); ++it)
        values.append(QJsonObject{{QStringLiteral("url"), it.key()}, {QStringLiteral("value"), value}});
    const QJsonObject reply{{QStringLiteral("method"), request.method},
                            {QStringLiteral("urlsToValue"), values}};
    // One character per byte, like a real reply: the parser gets the bytes back.
    return QString::fromLatin1(QJsonDocument(reply).toJson(QJsonDocument::Compact));
}

} // namespace gearmart
