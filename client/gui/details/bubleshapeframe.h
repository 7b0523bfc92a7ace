#pragma once

#include <QFrame>
#include <QList>
#include <QPixmap>
#include <QVector>

class QLabel;
class QPropertyAnimation;

namespace gearmart {

// The picture viewer of the details page: one detail picture at a time in a
// bubble whose pointer turns toward the selected thumbnail below. Changing
// the picture slides the old one out and the new one in.
class BubleShapeFrame : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kWidth = 768;
    static constexpr int kHeight = 426;
    static constexpr int kDefaultSlideDuration = 300;

    explicit BubleShapeFrame(QWidget* parent = nullptr);

    void setPictures(const QList<QPixmap>& pictures);
    int pictureCount() const { return m_pictureLabels.size(); }
    // x of the pointer's tip for each picture, in this frame's coordinates.
    void setPointerPositions(const QVector<qreal>& positions);
    QVector<qreal> pointerPositions() const { return m_pointerPositions; }

    int currentIndex() const { return m_iCurrentIndex; }
    // Selects a picture; an index outside the pictures is ignored.
    void setCurrentIndex(int iIndex);

    void setSlideDuration(int iMilliseconds);
    int slideDuration() const { return m_iSlideDuration; }
    bool isSliding() const;

    // Where the pictures show (the bubble's inside) and the pointer's tip.
    QRect pictureArea() const;
    QPointF pointerTip() const;

signals:
    void signalThumbnailIndexChanged(int index);

public slots:
    // Connected to the thumbnails' clicks: selects the clicked one's index.
    void onSolveButtonClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF bodyRect() const;
    void finishSlides();
    void slide(QPropertyAnimation* animation, QLabel* label, const QPoint& from, const QPoint& to);

    QWidget* m_pViewport;
    QList<QLabel*> m_pictureLabels;
    QVector<qreal> m_pointerPositions;
    int m_iCurrentIndex = 0;
    int m_iSlideDuration = kDefaultSlideDuration;
    // Outgoing and incoming picture, for each direction.
    QPropertyAnimation* m_pOutToLeft;
    QPropertyAnimation* m_pInFromRight;
    QPropertyAnimation* m_pOutToRight;
    QPropertyAnimation* m_pInFromLeft;
};

} // namespace gearmart
