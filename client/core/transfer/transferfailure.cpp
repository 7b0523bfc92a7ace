#include "transfer/transferfailure.h"

#include "localprotocol/localprotocol.h"
#include "request/requestmethod.h"
#include "transfer/transferrecord.h"

namespace gearmart {

QString TransferFailure::text(const TransferRecord& record, Wording wording)
{
    return text(record.failureCode, record.failureReason, wording);
}

QString TransferFailure::reasonText(const QString& qstrReason)
{
    if (qstrReason == QLatin1String(localprotocol::kFailureChecksum))
        return tr("The package failed its integrity check (it was damaged or altered on the way) and was not installed.");
    if (qstrReason == QLatin1String(localprotocol::kFailureFolder))
        return tr("Other users of this computer could change the download folder, so nothing was saved "
                  "there. Please choose a folder of your own.");
    if (qstrReason == QLatin1String(localprotocol::kFailureStaging))
        return tr("The folder Gearloft in your home folder was not made by this program and was left "
                  "untouched. Please move it elsewhere and try again.");
    if (qstrReason == QLatin1String(localprotocol::kFailureSignature))
        return tr("The package could not be verified as the publisher's, so it was not installed.");
    if (qstrReason == QLatin1String(localprotocol::kFailureCertificate))
        return tr("The download server's certificate could not be verified, so nothing was downloaded.");
    if (qstrReason == QLatin1String(kLostReason))
        return tr("The download service stopped, and this download with it. Please try again.");
    return QString();
}

QString TransferFailure::text(int iCode, const QString& qstrReason, Wording wording)
{
    const QString reason = reasonText(qstrReason);
    if (!reason.isEmpty())
        return reason;
    const bool bCard = wording == Wording::Card;
    switch (iCode) {
    case ClientValue::ExchangeFailedCode:
        return tr("connect to network timeout.");
    case ClientValue::NoClientCode:
        return tr("network initial failed.");
    case localprotocol::StatusUnpackFailed:
        return tr("save failed.");
    case localprotocol::StatusNotFound:
        return bCard ? tr("file not found.") : tr("File not found.");
    case localprotocol::StatusFailed:
        return tr("connect to network failed.");
    case ClientValue::NoUrlCode:
    case localprotocol::StatusInstalled:
        // No URL, or "installed" as the answer to the request itself: the
        // card and the details page call both a failed connection.
        if (wording != Wording::Row)
            return tr("connect to network failed.");
        break;
    default:
        break;
    }
    return bCard ? tr("network abnomaly") : tr("network anomaly");
}

} // namespace gearmart
