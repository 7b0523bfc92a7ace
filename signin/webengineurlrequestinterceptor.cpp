#include "webengineurlrequestinterceptor.h"

namespace signgate {

WebEngineUrlRequestInterceptor::WebEngineUrlRequestInterceptor(QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent)
{
}

bool WebEngineUrlRequestInterceptor::isWantedFor(int iLanguage)
{
    return iLanguage == 1;
}

QVector<WebEngineUrlRequestInterceptor::Header> WebEngineUrlRequestInterceptor::addedHeaders()
{
    return {{QByteArrayLiteral("Accept-Language"), QByteArrayLiteral("zh-CN")}};
}

void WebEngineUrlRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    static const QVector<Header> headers = addedHeaders();
    for (const Header& header : headers)
        info.setHttpHeader(header.first, header.second);
}

} // namespace signgate
