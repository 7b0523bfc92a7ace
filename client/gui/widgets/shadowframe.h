#pragma once

#include <QPixmap>
#include <QSize>

class QPainter;

namespace gearmart {

// The white panel with its nine-slice shadow border that the tip dialog and
// the frameless main window draw: 5 pixels left and right, 3 on top, 7 at the
// bottom, cut from a 210 x 143 shadow picture.
class ShadowFrame
{
public:
    static constexpr int kPictureWidth = 210;
    static constexpr int kPictureHeight = 143;

    // The shadow picture of the resources, or a drawn one of the same layout
    // when the resource is missing.
    static QPixmap shadowPicture();

    static void paint(QPainter& painter, const QSize& size);
    static void paint(QPainter& painter, const QSize& size, const QPixmap& shadow);
};

} // namespace gearmart
