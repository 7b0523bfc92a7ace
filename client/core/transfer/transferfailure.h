#pragma once

#include <QCoreApplication>
#include <QString>

namespace gearmart {

struct TransferRecord;

// What the user is told about a failed transfer, for every view. The views
// always worded a few codes differently, and keep doing so.
class TransferFailure
{
    Q_DECLARE_TR_FUNCTIONS(gearmart::TransferFailure)

public:
    enum class Wording
    {
        Card,    // the catalog's tool card
        Details, // the details page
        Row,     // the installed tool's row
    };

    // The client's own reason: the service ended while the transfer ran.
    static constexpr const char* kLostReason = "lost";

    static QString text(const TransferRecord& record, Wording wording);
    // A reason, when known, says more than the code.
    static QString text(int iCode, const QString& qstrReason, Wording wording);
    // What a reason means; empty for none or one this client does not know.
    static QString reasonText(const QString& qstrReason);
};

} // namespace gearmart
