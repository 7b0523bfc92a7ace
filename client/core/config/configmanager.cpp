#include "config/configmanager.h"

#include "config/configlimits.h"
#include "panelcraft/genericds.h"

#include <mutex>

namespace gearmart {

namespace {

std::mutex g_instanceMutex;
ConfigManager* g_pInstance = nullptr;

const QString kValueElement = QStringLiteral("Value");

} // namespace

ConfigManager* ConfigManager::instance()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    if (!g_pInstance)
        g_pInstance = new ConfigManager;
    return g_pInstance;
}

void ConfigManager::resetInstanceForTest()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    delete g_pInstance;
    g_pInstance = nullptr;
}

bool ConfigManager::load(const QString& path, QString* pError)
{
    m_entries.clear();
    crestui::GenericDS root;
    if (!root.loadXML(path, ConfigLimits::setupXml(), pError))
        return false;
    for (const crestui::GenericDS& child : root.GetChildren()) {
        m_entries.push_back(
            std::make_unique<Configure>(child.GetName(), child.GetChildByName(kValueElement).GetValue()));
    }
    m_qstrFilePath = path;
    return true;
}

Configure* ConfigManager::findMutable(ConfigKey key) const
{
    const QString name = configKeyName(key);
    if (name.isEmpty())
        return nullptr;
    for (const auto& entry : m_entries) {
        if (entry->name() == name)
            return entry.get();
    }
    return nullptr;
}

const Configure* ConfigManager::find(ConfigKey key) const
{
    return findMutable(key);
}

int ConfigManager::intValue(ConfigKey key, int iFallback) const
{
    const Configure* entry = find(key);
    if (!entry)
        return iFallback;
    bool ok = false;
    const int value = entry->value().trimmed().toInt(&ok);
    return ok ? value : 0;
}

int ConfigManager::flagValue(ConfigKey key) const
{
    const int value = intValue(key, 0);
    return value == -1 ? 0 : value;
}

unsigned ConfigManager::language() const
{
    const Configure* entry = find(ConfigKey::Translator);
    return entry ? entry->value().trimmed().toUInt() : 0;
}

QString ConfigManager::downloadPath() const
{
    const Configure* entry = find(ConfigKey::DownloadPath);
    return entry ? entry->value() : QString();
}

int ConfigManager::closeOpenToolsFlag() const
{
    return flagValue(ConfigKey::IsCloseOpenTools);
}

int ConfigManager::needUpdateFlag() const
{
    return flagValue(ConfigKey::IsNeedUpdate);
}

int ConfigManager::versionType() const
{
    const int value = intValue(ConfigKey::VersionType, 1);
    return value == -1 ? 1 : value;
}

QString ConfigManager::serverAddress() const
{
    const Configure* entry = find(language() == 1 ? ConfigKey::ChServerAddress : ConfigKey::EnServerAddress);
    return entry ? entry->value() : QString();
}

int ConfigManager::firstLoading() const
{
    return intValue(ConfigKey::IsFirstLoading, 0);
}

int ConfigManager::promptUpgrade() const
{
    return intValue(ConfigKey::PromptUpgrade, 0);
}

int ConfigManager::transferMode() const
{
    return intValue(ConfigKey::TransferMode, 0) == 1 ? 1 : 0;
}

bool ConfigManager::set(ConfigKey key, const QString& qstrValue)
{
    const QString name = configKeyName(key);
    if (m_qstrFilePath.isEmpty() || name.isEmpty())
        return false;
    // A fresh tree: Swapover and the user may have changed other keys since
    // start-up, and those changes must survive this write.
    crestui::GenericDS root;
    if (!root.loadXML(m_qstrFilePath, ConfigLimits::setupXml()))
        return false;
    for (crestui::GenericDS child : root.GetChildren()) {
        if (child.GetName() != name)
            continue;
        crestui::GenericDS value = child.GetChildByName(kValueElement);
        const bool valueSet = value.SetValue(qstrValue);
        if (Configure* entry = findMutable(key))
            entry->setValue(qstrValue);
        return valueSet && root.SaveXML(m_qstrFilePath);
    }
    return false;
}

bool ConfigManager::setDownloadPath(const QString& qstrPath)
{
    return set(ConfigKey::DownloadPath, qstrPath);
}

bool ConfigManager::setCloseOpenToolsFlag(int iFlag)
{
    return set(ConfigKey::IsCloseOpenTools, QString::number(iFlag));
}

bool ConfigManager::setNeedUpdateFlag(int iFlag)
{
    return set(ConfigKey::IsNeedUpdate, QString::number(iFlag));
}

bool ConfigManager::setTransferMode(int iMode)
{
    const QString value = QString::number(iMode == 1 ? 1 : 0);
    if (m_qstrFilePath.isEmpty())
        return false;
    if (set(ConfigKey::TransferMode, value))
        return true;
    crestui::GenericDS root;
    if (!root.loadXML(m_qstrFilePath, ConfigLimits::setupXml()))
        return false;
    const QString name = configKeyName(ConfigKey::TransferMode);
    // Present but unwritable (a Value holding elements): leave the file alone.
    if (!root.GetChildByName(name).isNull())
        return false;
    crestui::GenericDS element = root.CreateChild(name);
    if (!element.CreateChild(kValueElement).SetValue(value) || !root.SaveXML(m_qstrFilePath))
        return false;
    if (Configure* entry = findMutable(ConfigKey::TransferMode))
        entry->setValue(value);
    else
        m_entries.push_back(std::make_unique<Configure>(name, value));
    return true;
}

} // namespace gearmart
