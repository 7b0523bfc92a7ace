#pragma once

#include "panelcraft/iconbutton.h"

#include <QColor>

namespace gearmart {

// The banner's large picture at any width. Pictures are made for a 730 x
// 280 place: wider, the picture keeps its size and its background colour
// carries on to the right edge; narrower, it shrinks to fit and the colour
// fills above and below. Never stretched, never cut.
class BannerPicture : public crestui::IconButton
{
    Q_OBJECT

public:
    explicit BannerPicture(QWidget* parent = nullptr);

    // Where the picture itself lands in a place of the given size.
    static QRect pictureRect(const QSize& picture, const QSize& place);
    // The mean colour of the picture's right edge: its background there.
    static QColor edgeColor(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint64 m_edgeKey = 0;
    QColor m_edgeColor;
};

} // namespace gearmart
