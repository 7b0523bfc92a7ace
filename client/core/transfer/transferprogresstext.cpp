#include "transfer/transferprogresstext.h"

#include <QStringList>
#include <QtMath>

namespace gearmart {

namespace {

const QString kSeparator = QStringLiteral(" \u00B7 ");

constexpr qint64 kMinute = 60;
constexpr qint64 kHour = 60 * kMinute;
constexpr qint64 kDay = 24 * kHour;
// Under ten minutes the seconds still tell the user something.
constexpr qint64 kSecondsShownBelow = 10 * kMinute;

} // namespace

QString TransferProgressText::size(qint64 iBytes, const QLocale& locale)
{
    if (iBytes < 1024)
        return locale.formattedDataSize(iBytes);
    // The unit QLocale will pick: the largest power of 1024 not above the size.
    int iPower = 0;
    double dValue = double(iBytes);
    while (dValue >= 1024.0 && iPower < 6) {
        dValue /= 1024.0;
        ++iPower;
    }
    // Rounding may carry into the next digit ("99.96" -> "100.0").
    const int iPrecision = dValue < 99.95 ? 1 : 0;
    return locale.formattedDataSize(iBytes, iPrecision);
}

QString TransferProgressText::duration(qint64 iSeconds, const QLocale& locale)
{
    if (iSeconds < 0)
        return QString();
    if (iSeconds < kMinute)
        return tr("%1 s").arg(locale.toString(iSeconds));
    if (iSeconds < kSecondsShownBelow) {
        const qint64 iMinutes = iSeconds / kMinute;
        const qint64 iRest = iSeconds % kMinute;
        if (iRest == 0)
            return tr("%1 min").arg(locale.toString(iMinutes));
        return tr("%1 min %2 s").arg(locale.toString(iMinutes), locale.toString(iRest));
    }
    // Whole minutes from here on, rounded up as the seconds were.
    const qint64 iMinutes = (iSeconds + kMinute - 1) / kMinute;
    if (iMinutes < 60)
        return tr("%1 min").arg(locale.toString(iMinutes));
    if (iMinutes * kMinute > kDay)
        return tr("more than a day");
    const qint64 iHours = iMinutes / 60;
    const qint64 iRestMinutes = iMinutes % 60;
    if (iRestMinutes == 0)
        return tr("%1 h").arg(locale.toString(iHours));
    return tr("%1 h %2 min").arg(locale.toString(iHours), locale.toString(iRestMinutes));
}

qint64 TransferProgressText::secondsLeft(const TransferProgress& progress)
{
    if (!progress.isKnown() || progress.rate <= 0 || progress.total <= 0 ||
        progress.received >= progress.total)
        return -1;
    const qint64 iRemaining = progress.total - progress.received;
    return (iRemaining + progress.rate - 1) / progress.rate;
}

QString TransferProgressText::format(const TransferProgress& progress, const QLocale& locale)
{
    if (!progress.isKnown())
        return QString();
    QStringList parts;
    // A total already passed is no total: the package is larger than
    // announced, and "250 MiB of 200 MiB" would only confuse.
    if (progress.total > 0 && progress.received <= progress.total)
        parts << tr("%1 of %2").arg(size(progress.received, locale), size(progress.total, locale));
    else
        parts << size(progress.received, locale);
    if (progress.rate >= 0)
        parts << tr("%1/s").arg(size(progress.rate, locale));
    const qint64 iSecondsLeft = secondsLeft(progress);
    if (iSecondsLeft >= 0)
        parts << tr("%1 left").arg(duration(iSecondsLeft, locale));
    return parts.join(kSeparator);
}

} // namespace gearmart
