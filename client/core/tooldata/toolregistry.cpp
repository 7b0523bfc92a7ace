#include "tooldata/toolregistry.h"

#include "log/logging.h"
#include "tooldata/toolproductguids.h"

#include <QDebug>
#include <QFileInfo>

namespace gearmart {

namespace {
const QString kUnknown = QStringLiteral("unKnown");
// Marks the entries this client writes for the tools it downloads, so that
// they are never taken for a tool's own installer's.
const QString kManagedBy = QStringLiteral("ManagedBy");
const QString kManager = QStringLiteral("Gearloft");
} // namespace

ToolRegistry::ToolRegistry(const platform::Registry& registry) : m_registry(registry) {}

QString ToolRegistry::keyPath(const QString& qstrGuid)
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%1")
        .arg(qstrGuid);
}

InstallInfo ToolRegistry::installedCheck(int iToolkey) const
{
    InstallInfo info;
    const QString guid = ToolProductGuids::guid(iToolkey);
    if (guid.isEmpty())
        return info;
    const QString key = keyPath(guid);
    const QString location = m_registry.value(key, QStringLiteral("InstallLocation"), kUnknown);
    const QString version = m_registry.value(key, QStringLiteral("DisplayVersion"), kUnknown);
    info.IsOwnCopy = m_registry.value(key, kManagedBy, kUnknown) == kManager;
    if (location == kUnknown || version == kUnknown || location.isEmpty() || !QFileInfo::exists(location))
        return info;
    info.IsInstalled = true;
    info.InstallLocation = QString(location).replace(QLatin1Char('\\'), QLatin1Char('/'));
    info.DisplayVersion = version;
    return info;
}

void ToolRegistry::registerTool(int iToolkey, const ToolState& state, const QString& qstrInstallLocation)
{
    const QString guid = ToolProductGuids::guid(iToolkey);
    if (guid.isEmpty())
        return;
    QVector<QPair<QString, QString>> values = {{QStringLiteral("DisplayVersion"), state.CurrentVersion}};
    if (!state.IsInstalledByInstaller) {
        values.append({QStringLiteral("InstallLocation"), qstrInstallLocation});
        values.append({QStringLiteral("ProductGuid"), guid});
        values.append({kManagedBy, kManager});
    }
    if (!m_registry.setValues(keyPath(guid), values))
        qCDebug(lcData) << "registry entry not written for tool" << iToolkey;
}

void ToolRegistry::unregisterTool(int iToolkey)
{
    const QString guid = ToolProductGuids::guid(iToolkey);
    if (!guid.isEmpty() && !m_registry.removeKey(keyPath(guid)))
        qCDebug(lcData) << "registry entry not removed for tool" << iToolkey;
}

} // namespace gearmart
