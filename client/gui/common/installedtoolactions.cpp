#include "common/installedtoolactions.h"

#include "platform/documents.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "widgets/tipdialog.h"

#include <QFileInfo>
#include <QLocale>
#include <QPointer>

namespace gearmart {

namespace {
const QString kNoticeIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/notice.png");
const QString kSureIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/sure.png");
const QString kSuccessIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/sucesse.png");
const QString kErrorIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/error.png");
} // namespace

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
        tell(kErrorIcon, tr("The folder of %1 is missing: %2").arg(name, facts.folder), false, pParent,
             cover);
        return;
    }
    if (!platform::openWithDesktop(facts.folder))
        tell(kErrorIcon, tr("No file manager opened the folder of %1: %2").arg(name, facts.folder), false,
             pParent, cover);
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
    const QString question =
        tr("Roll %1 back to %2? The version installed now is kept as the previous one, and the update to "
           "V%3 is skipped until a newer version comes out.")
            .arg(name, target, data->toolInfos().value(iToolkey).Version);
    QPointer<QObject> alive(installed);
    if (tell(kSureIcon, question, true, pParent, cover) != 1 || !alive)
        return false;
    // Asked again after the question: the user may have started one meanwhile.
    if (transfers.record(iToolkey).isActive()) {
        tell(kNoticeIcon, tr("%1 is being updated. Roll back once the update has ended.").arg(name), false,
             pParent, cover);
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
        tell(kErrorIcon,
             tr("%1 could not be rolled back and stays as it was. Close every program that uses its files "
                "and try again.")
                 .arg(name),
             false, pParent, cover);
        return false;
    case InstalledTools::Rollback::Mixed:
        tell(kErrorIcon,
             tr("%1 could not be rolled back, and some of its files could not be put back either. Please "
                "update or download it again.")
                 .arg(name),
             false, pParent, cover);
        return false;
    }
    return false;
}

} // namespace gearmart
