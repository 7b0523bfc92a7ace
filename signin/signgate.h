#pragma once

#include "ticketcookierule.h"

#include <QPoint>
#include <QUrl>
#include <QWidget>
#include <memory>

class QNetworkCookie;

namespace Ui {
class SigngateClass;
}

namespace signgate {

class WebEngineUrlRequestInterceptor;

// The frameless sign-in window: shows the single-sign-on service's login page
// and closes itself with login result 1 as soon as that service sets its
// ticket cookie. Closed any other way, the result stays 0.
class Signgate : public QWidget
{
    Q_OBJECT

public:
    Signgate(int iLanguage, const QUrl& loginUrl, QWidget* parent = nullptr);
    ~Signgate() override;

    int loginResult() const { return m_iLoginResult; }
    QUrl loginUrl() const { return m_loginUrl; }
    bool hasLanguageInterceptor() const { return m_pInterceptor != nullptr; }

public slots:
    void onCookieAdded(const QNetworkCookie& cookie);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterTopStripEvent(QEvent* event);

    std::unique_ptr<Ui::SigngateClass> m_pUi;
    QUrl m_loginUrl;
    TicketCookieRule m_ticketRule;
    WebEngineUrlRequestInterceptor* m_pInterceptor = nullptr;
    int m_iLoginResult = 0;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};

} // namespace signgate
