#pragma once

#include <QFrame>
#include <QPixmap>

class QLabel;

namespace gearmart {

// The drop target of the list of all tools: a bin picture, shown only while
// a row is dragged, that lights up when the row is over it.
class DeleteFrame : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kWidth = 92;
    static constexpr int kHeight = 98;

    explicit DeleteFrame(QWidget* parent = nullptr);

    void setPixmap(const QString& qstrPath);
    QString pixmapPath() const { return m_qstrPixmapPath; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
    QString m_qstrPixmapPath;
    QLabel* m_trashLabel = nullptr;
    QLabel* m_delWordLabel = nullptr;
};

} // namespace gearmart
