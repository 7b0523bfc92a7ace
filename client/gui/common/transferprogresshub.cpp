#include "common/transferprogresshub.h"

namespace gearmart {

TransferProgressHub::TransferProgressHub()
{
    registerTransferProgressMetaTypes();
}

TransferProgressHub* TransferProgressHub::instance()
{
    static TransferProgressHub* hub = new TransferProgressHub;
    return hub;
}

void TransferProgressHub::onTransferProgress(QMap<int, TransferProgress> toolkeyToProgress)
{
    for (auto it = toolkeyToProgress.cbegin(); it != toolkeyToProgress.cend(); ++it) {
        // Figures mean the tool downloads again: an old reason no longer holds.
        if (it.value().isKnown())
            m_failures.remove(it.key());
        emit signalTransferProgress(it.key(), it.value());
    }
}

void TransferProgressHub::onTransferFailures(QMap<int, QString> toolkeyToFailure)
{
    for (auto it = toolkeyToFailure.cbegin(); it != toolkeyToFailure.cend(); ++it) {
        if (it.value().isEmpty())
            m_failures.remove(it.key());
        else
            m_failures.insert(it.key(), it.value());
    }
}

QString TransferProgressHub::failureText(int iToolkey, const QString& qstrFallback) const
{
    const QString reason = m_failures.value(iToolkey);
    if (reason == QLatin1String("checksum"))
        return tr("The package arrived damaged and was not installed. Please try again.");
    if (reason == QLatin1String("folder"))
        return tr("Other users of this computer could change the download folder, so nothing was saved "
                  "there. Please choose a folder of your own.");
    if (reason == QLatin1String("staging"))
        return tr("The folder Gearloft in your home folder was not made by this program and was left "
                  "untouched. Please move it elsewhere and try again.");
    return qstrFallback;
}

} // namespace gearmart
