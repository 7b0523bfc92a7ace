#pragma once

#include "request/transferprogress.h"
#include "transfer/transferprogresstext.h"

#include <QMetaType>
#include <QString>

namespace gearmart {

// Where one tool's download or update stands.
enum class TransferState
{
    Idle,        // nothing under way
    Waiting,     // queued in the client behind the downloads in flight
    Downloading, // asked for or running, 0..99 percent
    Unpacking,   // received whole, being unpacked
    Done,        // installed; the tool states say so
    Failed,      // ended without installing; failureCode and failureReason say why
    Cancelling,  // the user cancelled; the service has not confirmed it yet
};

// One tool's transfer as every view shows it.
struct TransferRecord
{
    TransferState state = TransferState::Idle;
    int percent = 0;       // the service's last value, 0..100
    int failureCode = 0;   // the value that ended it (-1, 110, 404 ...)
    QString failureReason; // the service's word for why ("checksum"), or the client's "lost"
    TransferProgress figures;

    bool isActive() const
    {
        return state == TransferState::Waiting || state == TransferState::Downloading ||
               state == TransferState::Unpacking;
    }
    // Views then show the tool as it is on disk.
    bool isResting() const
    {
        return state == TransferState::Idle || state == TransferState::Done ||
               state == TransferState::Cancelling;
    }
    // The catalog's bars never show 100 before the tool is installed.
    int cappedPercent() const { return percent <= 95 ? percent : percent - 1; }
    // -1 when the figures cannot tell.
    qint64 secondsLeft() const { return TransferProgressText::secondsLeft(figures); }
};

} // namespace gearmart

Q_DECLARE_METATYPE(gearmart::TransferState)
