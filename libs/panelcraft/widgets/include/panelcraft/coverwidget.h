#pragma once

#include <QPointer>
#include <QWidget>

namespace crestui {

// A child laid over the whole of its parent that swallows mouse and keyboard
// input while shown, so nothing under it reacts during a modal phase. The black
// cover dims the window; the transaction cover is invisible and shows a busy
// cursor. It follows the parent's size by itself.
class CoverWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CoverWidget(QWidget* parent = nullptr);

    void setBlackCover();
    void setTransactionCover();
    bool isBlackCover() const { return m_bBlack; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void followParent();

    bool m_bBlack = true;
    QPointer<QWidget> m_pFocusBefore;
};

} // namespace crestui
