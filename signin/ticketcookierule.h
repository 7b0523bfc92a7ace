#pragma once

#include <QString>

class QNetworkCookie;

namespace signgate {

// Decides which cookie ends the sign-in: the single-sign-on service's ticket
// "CASTGC", set by the login page's own host. Cookies of other hosts (a
// subdomain included) and other names are ignored.
class TicketCookieRule
{
public:
    static const char* const kTicketName;

    explicit TicketCookieRule(const QString& qstrLoginHost);

    QString loginHost() const { return m_qstrLoginHost; }

    // Domain and name are compared exactly, case included.
    bool isTicket(const QNetworkCookie& cookie) const;

private:
    QString m_qstrLoginHost;
};

} // namespace signgate
