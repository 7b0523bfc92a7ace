#include "productkey.h"

#include "platform/registry.h"

namespace appinstaller {

namespace {

const char kUninstallKey[] = "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

} // namespace

ProductKey::ProductKey(const QString& strGUID)
{
    const QString guid = strGUID.trimmed();
    if (guid.isEmpty() || guid.contains(QLatin1Char('\\')) || guid.contains(QLatin1Char('/')) ||
        guid == QLatin1String(".") || guid == QLatin1String(".."))
        return;
    m_strKeyPath = QLatin1String(kUninstallKey) + QLatin1Char('\\') + guid;
}

bool ProductKey::isInstalled() const
{
    // The store's root follows XDG_DATA_HOME, read anew on each use.
    return !m_strKeyPath.isEmpty() && platform::Registry().holdsValues(m_strKeyPath);
}

QString ProductKey::installPath() const
{
    if (m_strKeyPath.isEmpty())
        return {};
    return platform::Registry().value(m_strKeyPath, QStringLiteral("installpath"));
}

bool ProductKey::clear() const
{
    return !m_strKeyPath.isEmpty() && platform::Registry().removeKey(m_strKeyPath);
}

} // namespace appinstaller
