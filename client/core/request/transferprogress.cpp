#include "request/transferprogress.h"

#include <QJsonObject>
#include <QJsonValue>
#include <cmath>

namespace gearmart {

namespace {

// Beyond 2^53 a JSON number no longer holds whole bytes exactly; such a
// figure is nonsense for a package and must not overflow the conversion.
constexpr double kLargestExactBytes = 9007199254740992.0;

bool readBytes(const QJsonValue& value, qint64& iBytes)
{
    if (!value.isDouble())
        return false;
    const double dValue = value.toDouble();
    if (!std::isfinite(dValue) || dValue < 0 || dValue > kLargestExactBytes)
        return false;
    iBytes = static_cast<qint64>(std::llround(dValue));
    return true;
}

} // namespace

TransferProgress TransferProgress::fromReplyEntry(const QJsonObject& entry)
{
    TransferProgress progress;
    qint64 iValue = 0;
    if (!readBytes(entry.value(QStringLiteral("received")), iValue))
        return progress;
    progress.received = iValue;
    if (readBytes(entry.value(QStringLiteral("total")), iValue))
        progress.total = iValue;
    if (readBytes(entry.value(QStringLiteral("rate")), iValue))
        progress.rate = iValue;
    return progress;
}

void registerTransferProgressMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<TransferProgress>("TransferProgress");
        qRegisterMetaType<TransferProgress>("gearmart::TransferProgress");
        qRegisterMetaType<TransferProgressMap>("TransferProgressMap");
        qRegisterMetaType<TransferProgressMap>("gearmart::TransferProgressMap");
        qRegisterMetaType<TransferProgressMap>("QMap<int,TransferProgress>");
        qRegisterMetaType<TransferProgressMap>("QMap<int,gearmart::TransferProgress>");
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace gearmart
