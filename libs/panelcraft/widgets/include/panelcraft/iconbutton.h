#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace crestui {

// A flat button that is nothing but its picture, stretched over the button.
// Without a picture it shows a light placeholder. Its accessible name starts
// as a generic "Picture"; callers set a real description.
class IconButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit IconButton(QWidget* parent = nullptr);

    void SetPixmap(const QPixmap& pixmap);
    QPixmap pixmap() const { return m_pixmap; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
};

} // namespace crestui
