#include "ticketcookierule.h"

#include <QNetworkCookie>

namespace signgate {

const char* const TicketCookieRule::kTicketName = "CASTGC";

TicketCookieRule::TicketCookieRule(const QString& qstrLoginHost) : m_qstrLoginHost(qstrLoginHost) {}

bool TicketCookieRule::isTicket(const QNetworkCookie& cookie) const
{
    // An empty host would accept a cookie whose domain was never filled in.
    if (m_qstrLoginHost.isEmpty() || cookie.domain() != m_qstrLoginHost)
        return false;
    return cookie.name() == kTicketName;
}

} // namespace signgate
