#pragma once

#include <QProxyStyle>

namespace Lacquer {

// The client's widget style: the platform style with no focus rectangles,
// single-line texts shortened with an ellipsis, and 3-pixel menu frames.
class Lacquer : public QProxyStyle
{
    Q_OBJECT

public:
    Lacquer() = default;

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace Lacquer
