#include "loginsettings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QHostAddress>

namespace signgate {

namespace {

const char* const kDefaultLoginUrl = "https://sso.brelvonix.com/login";
const QLatin1String kSection("Login");
const QLatin1String kUrlKey("Url");
// A settings file is a few lines; anything far larger is not one.
const qint64 kMaxFileSize = 64 * 1024;

bool isLoopbackHost(const QString& host)
{
    if (host == QLatin1String("localhost"))
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

const char* const LoginSettings::kFileName = "signgate.ini";

QUrl LoginSettings::defaultLoginUrl()
{
    return QUrl(QString::fromLatin1(kDefaultLoginUrl));
}

QString LoginSettings::programSettingsPath()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kFileName);
}

QString LoginSettings::checkLoginUrl(const QUrl& url)
{
    if (!url.isValid())
        return QStringLiteral("the address is not a valid URL");
    if (url.host().isEmpty())
        return QStringLiteral("the address names no host");
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("https"))
        return QString();
    // The ticket must not cross the network in the clear; plain HTTP serves
    // only a page on this machine (tests, local trials).
    if (scheme == QLatin1String("http") && isLoopbackHost(url.host()))
        return QString();
    return QStringLiteral("the address must use https (http only on the loopback interface)");
}

LoginSettings LoginSettings::fallback(const QString& qstrFilePath, const QString& qstrProblem)
{
    LoginSettings settings;
    settings.m_loginUrl = defaultLoginUrl();
    settings.m_qstrProblem = qstrProblem;
    qWarning().noquote() << QStringLiteral("Signgate login settings %1: %2; using the default login page %3")
                                .arg(qstrFilePath, qstrProblem, settings.m_loginUrl.toString());
    return settings;
}

LoginSettings LoginSettings::load(const QString& qstrFilePath)
{
    QFile file(qstrFilePath);
    if (!file.exists())
        return fallback(qstrFilePath, QStringLiteral("no such file"));
    if (!file.open(QIODevice::ReadOnly))
        return fallback(qstrFilePath, QStringLiteral("cannot be read (%1)").arg(file.errorString()));
    if (file.size() > kMaxFileSize)
        return fallback(qstrFilePath, QStringLiteral("too large for a settings file"));
    const QByteArray bytes = file.readAll();

    QString section;
    QString urlText;
    bool haveUrl = false;
    int lineNumber = 0;
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray& rawLine : lines) {
        ++lineNumber;
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return fallback(qstrFilePath,
                            QStringLiteral("line %1 is neither a [section] nor key=value").arg(lineNumber));
        // Other sections and keys are left for other uses of the file.
        if (section == kSection && line.left(equals).trimmed() == kUrlKey) {
            urlText = line.mid(equals + 1).trimmed();
            haveUrl = true;
        }
    }
    if (!haveUrl)
        return fallback(qstrFilePath, QStringLiteral("no Url in section [Login]"));

    const QUrl url(urlText, QUrl::StrictMode);
    const QString problem = checkLoginUrl(url);
    if (!problem.isEmpty())
        return fallback(qstrFilePath, QStringLiteral("%1 (\"%2\")").arg(problem, urlText));

    LoginSettings settings;
    settings.m_loginUrl = url;
    settings.m_bFromFile = true;
    return settings;
}

} // namespace signgate
