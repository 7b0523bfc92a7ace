#include "widgets/progressbar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace gearmart {

ProgressBar::ProgressBar(QWidget* parent)
    : QProgressBar(parent), m_chunkColor(QStringLiteral("#34D14E")), m_grooveColor(QStringLiteral("#E6E6E6")),
      m_qstrText(tr("Download Fail!"))
{
    m_textFont.setFamily(QStringLiteral("Microsoft Yahei"));
    m_textFont.setPixelSize(10);
    m_textFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    setAccessibleName(tr("Progress"));
    // QProgressBar skips repaints it thinks the style would not show; the
    // chunk here moves by fractions of a pixel.
    connect(this, &QProgressBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void ProgressBar::setChunkColor(const QColor& color)
{
    m_chunkColor = color;
    update();
}

void ProgressBar::setGrooveColor(const QColor& color)
{
    m_grooveColor = color;
    update();
}

void ProgressBar::setTextFont(const QFont& font)
{
    m_textFont = font;
    update();
}

void ProgressBar::setText(const QString& qstrText)
{
    m_qstrText = qstrText;
    update();
}

void ProgressBar::setMode(int iMode)
{
    m_iMode = iMode;
    update();
}

double ProgressBar::ratio() const
{
    // Measured from the minimum, and never outside the track: a reset bar
    // holds minimum - 1, and an empty range must not divide by zero.
    const qint64 range = qint64(maximum()) - minimum();
    if (range <= 0) {
        return 0.0;
    }
    const qint64 done = std::clamp<qint64>(qint64(value()) - minimum(), 0, range);
    return double(done) / double(range);
}

QString ProgressBar::text() const
{
    if (m_iMode != 0) {
        return m_qstrText;
    }
    // Whole percent, cut down; in integers so 29 of 100 is not 28.999... %.
    const qint64 range = qint64(maximum()) - minimum();
    qint64 percent = 0;
    if (range > 0) {
        percent = std::clamp<qint64>(qint64(value()) - minimum(), 0, range) * 100 / range;
    }
    return QString::number(percent) + QLatin1Char('%');
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double w = width();
    const double h = height();

    painter.setBrush(m_grooveColor);
    painter.drawChord(QRectF(0, 0, h, h), 90 * 16, 180 * 16);
    painter.drawChord(QRectF(w - h, 0, h, h), -90 * 16, 180 * 16);
    painter.drawRect(QRectF(h / 2, 0, w - h, h));

    const double f = w * ratio();
    if (f > 0) {
        painter.setBrush(m_chunkColor);
        if (f < h) {
            // A short chunk is an ellipse as tall as the track's circle is at
            // half its width, so it grows out of the left end smoothly.
            const double half = h / 2;
            const double e = std::sqrt(half * half - (half - f / 2) * (half - f / 2));
            painter.drawChord(QRectF(0, (h - 2 * e) / 2, f, 2 * e), -90 * 16, 360 * 16);
        } else {
            painter.drawChord(QRectF(0, 0, h, h), 90 * 16, 180 * 16);
            painter.drawRect(QRectF(h / 2, 0, f - h + 1, h));
            painter.drawChord(QRectF(f - h, 0, h, h), -90 * 16, 180 * 16);
        }
    }

    if (!isTextVisible()) {
        return;
    }
    const QString shown = text();
    painter.setFont(m_textFont);
    painter.setPen(textColor());
    painter.setBrush(Qt::NoBrush);
    // Measured in the font it is drawn with, so it stays centred whatever the
    // widget's own font is.
    const QFontMetrics metrics(m_textFont);
    const int pixelSize = m_textFont.pixelSize() > 0 ? m_textFont.pixelSize() : metrics.ascent();
    const int x = (width() - metrics.horizontalAdvance(shown)) / 2;
    const int baseline = pixelSize + (height() - pixelSize) / 2 - 1;
    painter.drawText(QPoint(x, baseline), shown);
}

} // namespace gearmart
