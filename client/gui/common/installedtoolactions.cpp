#include "common/installedtoolactions.h"

#include "log/logging.h"
#include "platform/documents.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QDebug>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>

namespace gearmart {

QString InstalledToolActions::sizeText(qint64 iBytes)
{
    if (iBytes < 0)
        return tr("measuring...");
    return QLocale().formattedDataSize(iBytes, 1, QLocale::DataSizeTraditionalFormat);
}

QString InstalledToolActions::dateText(const QDateTime& when)
{
    return when.isValid() ? when.toLocalTime().date().toString(Qt::ISODate) : tr("unknown");
}

QString InstalledToolActions::versionText(const QString& qstrVersion)
{
    if (qstrVersion.isEmpty() || qstrVersion == InstalledTools::kUnknownVersion)
        return tr("an earlier version");
    return QStringLiteral("V") + qstrVersion;
}

QString InstalledToolActions::rollbackText(const InstalledTools::RollbackOffer& offer)
{
    return offer.version.isEmpty() ? tr("Roll back to the previous version")
                                   : tr("Roll back to V%1").arg(offer.version);
}

int InstalledToolActions::tell(const QString& qstrIcon, const QString& qstrText, bool bAsk, QWidget* pParent,
                               const Cover& cover)
{
    if (cover)
        cover(true);
    const int answer = TipDialog::showTip(qstrIcon, qstrText, tr("OK"), tr("Cancel"), bAsk, pParent);
    if (cover)
        cover(false);
    return answer;
}

void InstalledToolActions::showInFolder(int iToolkey, QWidget* pParent, const Cover& cover)
{
    const InstalledTools::Facts facts = InstalledTools::instance()->facts(iToolkey);
    const QString name = ToolDataManager::instance()->toolName(iToolkey);
    if (!QFileInfo(facts.folder).isDir()) {
        qCWarning(lcPages).noquote() << "show in folder:" << facts.folder << "is missing";
        tell(kErrorIcon, tr("The folder of %1 is missing.").arg(name), false, pParent, cover);
        return;
    }
    if (!platform::openWithDesktop(facts.folder)) {
        qCWarning(lcPages).noquote() << "show in folder: nothing opened" << facts.folder;
        tell(kErrorIcon, tr("No file manager could open the folder of %1.").arg(name), false, pParent, cover);
    }
}

bool InstalledToolActions::rollBack(int iToolkey, const ToolTransfer& transfers, QWidget* pParent,
                                    const Cover& cover)
{
    InstalledTools* installed = InstalledTools::instance();
    ToolDataManager* data = ToolDataManager::instance();
    const QString name = data->toolName(iToolkey);
    const InstalledTools::RollbackOffer offer = installed->rollbackOffer(iToolkey);
    if (!offer.available) {
        tell(kNoticeIcon, tr("No previous version of %1 is kept any more.").arg(name), false, pParent, cover);
        return false;
    }
    const QString target = versionText(offer.version);
    const QString question = tr("Roll %1 back to %2? V%3 is then skipped.")
                                 .arg(name, target, data->toolInfos().value(iToolkey).Version);
    QPointer<QObject> alive(installed);
    if (tell(kSureIcon, question, true, pParent, cover) != 1 || !alive)
        return false;
    // Asked again after the question: the user may have started one meanwhile.
    if (transfers.record(iToolkey).isActive()) {
        tell(kNoticeIcon, tr("%1 is being updated. Roll back after the update.").arg(name), false, pParent,
             cover);
        return false;
    }
    switch (installed->rollBack(iToolkey)) {
    case InstalledTools::Rollback::RolledBack:
        tell(kSuccessIcon, tr("%1 was rolled back to %2.").arg(name, target), false, pParent, cover);
        return true;
    case InstalledTools::Rollback::Running:
        tell(kNoticeIcon, tr("%1 is running. Close it, then roll back.").arg(name), false, pParent, cover);
        return false;
    case InstalledTools::Rollback::NothingKept:
        tell(kNoticeIcon, tr("No previous version of %1 is kept any more.").arg(name), false, pParent, cover);
        return false;
    case InstalledTools::Rollback::Failed:
        tell(kErrorIcon, tr("%1 could not be rolled back; it stays as it was.").arg(name), false, pParent,
             cover);
        return false;
    case InstalledTools::Rollback::Mixed:
        tell(kErrorIcon, tr("%1 could not be rolled back completely. Please update it again.").arg(name),
             false, pParent, cover);
        return false;
    }
    return false;
}

} // namespace gearmart
