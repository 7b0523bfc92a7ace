#pragma once

#include <QString>
#include <QUrl>

namespace signgate {

// Where the single-sign-on service's login page lives: a deployment setting
// kept in "signgate.ini" beside the program:
//
//   [Login]
//   Url=https://sso.example.com/login
//
// A missing, unreadable or malformed file, or an address that is not HTTPS
// (plain HTTP only on the loopback interface), leaves the built-in default
// and says why in the log.
class LoginSettings
{
public:
    static const char* const kFileName;

    static QUrl defaultLoginUrl();
    // The settings file of the running program.
    static QString programSettingsPath();

    // Always yields a usable address.
    static LoginSettings load(const QString& qstrFilePath);

    QUrl loginUrl() const { return m_loginUrl; }
    // False when the default stands in for the file.
    bool isFromFile() const { return m_bFromFile; }
    // Why the file was not used; empty when it was.
    QString problem() const { return m_qstrProblem; }

    // Empty when the address may serve as the login page, else the reason.
    static QString checkLoginUrl(const QUrl& url);

private:
    static LoginSettings fallback(const QString& qstrFilePath, const QString& qstrProblem);

    QUrl m_loginUrl;
    bool m_bFromFile = false;
    QString m_qstrProblem;
};

} // namespace signgate
