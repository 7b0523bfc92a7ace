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
    for (auto it = toolkeyToProgress.cbegin(); it != toolkeyToProgress.cend(); ++it)
        emit signalTransferProgress(it.key(), it.value());
}

} // namespace gearmart
