#include "lacquer.h"

#include <QPainter>

namespace Lacquer {

void Lacquer::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                           const QString& text, QPalette::ColorRole textRole) const
{
    if (text.isEmpty())
        return;
    const bool multiLine = text.contains(QLatin1Char('\n')) || (flags & Qt::TextWrapAnywhere);
    QString shown = text;
    if (!multiLine && !(flags & Qt::TextWordWrap))
        shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width(), flags | Qt::TextShowMnemonic);
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, shown, textRole);
}

void Lacquer::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    if (element == QStyle::PE_FrameFocusRect)
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int Lacquer::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == QStyle::PM_MenuPanelWidth)
        return 3;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace Lacquer
