#include "shell/startuploader.h"

#include "config/configmanager.h"
#include "config/setuprecovery.h"
#include "log/logging.h"
#include "system/systemutils.h"
#include "tooldata/tooldatamanager.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QDebug>

namespace gearmart {

StartupLoader::StartupLoader(const QString& qstrDataDirectory)
    : m_qstrDataDirectory(qstrDataDirectory)
{
}

void StartupLoader::loadSettings()
{
    ConfigManager* config = ConfigManager::instance();
    const QString path = m_qstrDataDirectory + QStringLiteral("/Setup.xml");
    QString error;
    m_bSettingsLoaded = config->load(path, &error);
    if (m_bSettingsLoaded)
        return;
    const QString refused = path + QStringLiteral(": ") + error;
    QString keptAs;
    QString cause;
    const QString defaults = m_qstrDataDirectory + QStringLiteral("/defaults/Setup.xml");
    if (restoreSetupFile(path, defaults, &keptAs, &cause) && config->load(path, &cause)) {
        m_bSettingsLoaded = true;
        const QString kept =
            keptAs.isEmpty() ? QString() : QStringLiteral(", the damaged file kept as ") + keptAs;
        qCWarning(lcStartup).noquote()
            << "Gearloft start:" << refused << "- shipped settings restored" + kept;
        m_notices << tr("The settings were missing or damaged and have been reset.");
        return;
    }
    qCWarning(lcStartup).noquote() << "Gearloft start:" << refused + QStringLiteral(";") << cause
                                   << "- running on built-in settings";
    m_notices << tr("The settings could not be read; built-in ones are used.");
}

void StartupLoader::ensureDownloadPath()
{
    ConfigManager* config = ConfigManager::instance();
    // Without a settings file there is nowhere to keep it; the cards ask.
    if (!m_bSettingsLoaded || !config->downloadPath().isEmpty())
        return;
    if (freeSpaceGiB(m_qstrDataDirectory) <= kMinimumFreeGiB)
        return; // stays empty; the cards ask the user to choose a folder
    const QString folder = m_qstrDataDirectory + QStringLiteral("/Download");
    if (config->setDownloadPath(folder))
        return;
    qCWarning(lcStartup).noquote() << "Gearloft start:"
                                   << config->filePath() + QStringLiteral(": the download folder") << folder
                                   << "could not be saved";
    m_notices << tr("The download folder could not be saved; choose one in the settings.");
}

void StartupLoader::loadToolData()
{
    ToolDataManager* data = ToolDataManager::instance();
    data->loadAll();
    for (const LoadNotice& notice : data->loadNotices()) {
        switch (notice.kind) {
        case LoadNotice::Kind::StagedMaterialRefused:
            m_notices << tr("The downloaded tool list was damaged and was not used.");
            break;
        case LoadNotice::Kind::CatalogRestored:
            m_notices << tr("The tool list was damaged; the installed one was restored.");
            break;
        case LoadNotice::Kind::CatalogEmpty:
            m_notices << tr("No usable tool list was found; the list is empty.");
            break;
        case LoadNotice::Kind::StateListRebuilt:
            m_notices << tr("The record of installed tools was rebuilt.");
            break;
        }
    }
}

void StartupLoader::showNotices(QWidget* pParent) const
{
    if (m_notices.isEmpty())
        return;
    const QString text = m_notices.join(QLatin1Char(' '));
    qCInfo(lcStartup).noquote() << "---tracer7--- start-up notice:" << text;
    TipDialog::showTip(kNoticeIcon, text, tr("OK"), tr("Cancel"), false, pParent);
}

} // namespace gearmart
