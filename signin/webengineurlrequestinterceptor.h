#pragma once

#include <QByteArray>
#include <QPair>
#include <QVector>
#include <QWebEngineUrlRequestInterceptor>

namespace signgate {

// Asks the login pages for Chinese: the engine sends no Accept-Language of
// its own, so the service would otherwise answer in its default language.
class WebEngineUrlRequestInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    using Header = QPair<QByteArray, QByteArray>;

    explicit WebEngineUrlRequestInterceptor(QObject* parent = nullptr);

    // Only Chinese (language number 1) gets an interceptor.
    static bool isWantedFor(int iLanguage);
    // What every request of the profile gets.
    static QVector<Header> addedHeaders();

    // Called on the engine's I/O thread: touches nothing but the request.
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

} // namespace signgate
