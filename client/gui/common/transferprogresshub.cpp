#include "common/transferprogresshub.h"

#include "transfer/transferfailure.h"

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
    const QString text = TransferFailure::reasonText(m_failures.value(iToolkey));
    return text.isEmpty() ? qstrFallback : text;
}

} // namespace gearmart
