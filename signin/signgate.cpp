#include "signgate.h"

#include "ui_signgate.h"
#include "webengineurlrequestinterceptor.h"

#include <QMouseEvent>
#include <QNetworkCookie>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace signgate {

namespace {

const char* const kStripStyle = "QFrame#horizontalFrame     {         background:#ffffff;    }";

QString buttonStyle(const char* picture)
{
    return QStringLiteral("QPushButton { border-image: url(%1); background: transparent; }"
                          "QPushButton:hover { background: rgba(0, 0, 0, 0.05); }"
                          "QPushButton:pressed { background: rgba(0, 0, 0, 0.1); }")
        .arg(QLatin1String(picture));
}

} // namespace

Signgate::Signgate(int iLanguage, const QUrl& loginUrl, QWidget* parent)
    : QWidget(parent), m_pUi(std::make_unique<Ui::SigngateClass>()), m_loginUrl(loginUrl),
      m_ticketRule(loginUrl.host())
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    m_pUi->webEngineView->installEventFilter(this);
    m_pUi->horizontalFrame->installEventFilter(this);

    m_pUi->horizontalFrame->setStyleSheet(QLatin1String(kStripStyle));
    m_pUi->minBtn->setStyleSheet(buttonStyle(":/Signgate/Skin/common_minus.svg"));
    m_pUi->closeBtn->setStyleSheet(buttonStyle(":/Signgate/Skin/common_close.svg"));

    QWebEngineProfile* profile = m_pUi->webEngineView->page()->profile();
    if (WebEngineUrlRequestInterceptor::isWantedFor(iLanguage)) {
        m_pInterceptor = new WebEngineUrlRequestInterceptor(this);
        profile->setUrlRequestInterceptor(m_pInterceptor);
    }

    connect(profile->cookieStore(), &QWebEngineCookieStore::cookieAdded, this, &Signgate::onCookieAdded);
    connect(m_pUi->closeBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(m_pUi->minBtn, &QPushButton::clicked, this, &QWidget::showMinimized);

    m_pUi->webEngineView->load(m_loginUrl);
}

Signgate::~Signgate()
{
    // The profile outlives the window and does not own the interceptor.
    if (m_pInterceptor)
        m_pUi->webEngineView->page()->profile()->setUrlRequestInterceptor(nullptr);
}

void Signgate::onCookieAdded(const QNetworkCookie& cookie)
{
    if (!m_ticketRule.isTicket(cookie))
        return;
    m_iLoginResult = 1;
    close();
}

bool Signgate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pUi->webEngineView) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
    } else if (watched == m_pUi->horizontalFrame) {
        if (filterTopStripEvent(event))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool Signgate::filterTopStripEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_dragOffset = mouse->globalPos() - pos();
        m_bDragging = true;
        event->accept();
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_bDragging || !(mouse->buttons() & Qt::LeftButton))
            return false;
        move(mouse->globalPos() - m_dragOffset);
        event->accept();
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_bDragging = false;
        return false;
    default:
        return false;
    }
}

} // namespace signgate
