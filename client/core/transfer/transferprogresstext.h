#pragma once

#include "request/transferprogress.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>

namespace gearmart {

// The line under a progress bar: "12.3 MiB of 200 MiB · 45.2 MiB/s · 4 s
// left". Parts that the figures cannot support are left out: the total when
// it is unknown or already exceeded, the speed when unknown, the time left
// when there is no speed or nothing left to fetch.
class TransferProgressText
{
    // The context names the class in full, as lupdate records it.
    Q_DECLARE_TR_FUNCTIONS(gearmart::TransferProgressText)

public:
    // Empty for figures that are not known.
    static QString format(const TransferProgress& progress, const QLocale& locale = QLocale());

    // Sizes with three significant digits where the unit allows: "4.5 MiB",
    // "12.3 MiB", "200 MiB", "512 bytes".
    static QString size(qint64 iBytes, const QLocale& locale = QLocale());
    // "4 s", "2 min 5 s", "25 min", "1 h 40 min", "more than a day".
    static QString duration(qint64 iSeconds, const QLocale& locale = QLocale());
    // Seconds until total at rate, rounded up; -1 when it cannot be told.
    static qint64 secondsLeft(const TransferProgress& progress);
};

} // namespace gearmart
