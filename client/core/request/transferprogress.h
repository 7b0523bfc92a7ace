#pragma once

#include <QMap>
#include <QMetaType>
#include <QtGlobal>

class QJsonObject;

namespace gearmart {

// Byte figures of one running download, as the service reports them beside
// the percentage of a progress reply. A reply without them leaves the value
// unknown, and then nothing beyond the percentage is shown.
struct TransferProgress
{
    qint64 received = -1; // bytes written so far; -1: no figures came
    qint64 total = 0;     // package size; 0: not known
    qint64 rate = -1;     // bytes per second lately; -1: not known

    bool isKnown() const { return received >= 0; }

    // Reads "received", "total" and "rate" of one "urlsToValue" entry. Each
    // must be a non-negative JSON number; one that is not counts as absent,
    // and without "received" the whole value is unknown.
    static TransferProgress fromReplyEntry(const QJsonObject& entry);

    bool operator==(const TransferProgress& other) const
    {
        return received == other.received && total == other.total && rate == other.rate;
    }
    bool operator!=(const TransferProgress& other) const { return !(*this == other); }
};

using TransferProgressMap = QMap<int, TransferProgress>;

// For queued connections and signal spies, under every spelling in use.
void registerTransferProgressMetaTypes();

} // namespace gearmart

Q_DECLARE_METATYPE(gearmart::TransferProgress)
Q_DECLARE_METATYPE(gearmart::TransferProgressMap)
