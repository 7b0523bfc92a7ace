#include "panelcraft/coverwidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace crestui {

namespace {
// Dark enough to read as "busy", light enough to keep the window recognisable.
const QColor kBlackCoverColor(0, 0, 0, 102);
} // namespace

CoverWidget::CoverWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CoverWidget"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMousePropagation);
    if (parent) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    }
}

void CoverWidget::setBlackCover()
{
    m_bBlack = true;
    unsetCursor();
    update();
}

void CoverWidget::setTransactionCover()
{
    m_bBlack = false;
    setCursor(Qt::BusyCursor);
    update();
}

void CoverWidget::followParent()
{
    if (parentWidget()) {
        setGeometry(parentWidget()->rect());
    }
}

bool CoverWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentAboutToChange:
        if (parentWidget()) {
            parentWidget()->removeEventFilter(this);
        }
        break;
    case QEvent::ParentChange:
        if (parentWidget()) {
            parentWidget()->installEventFilter(this);
            followParent();
        }
        break;
    case QEvent::ShortcutOverride:
        // Accepting turns the window's shortcuts and mnemonics into plain key
        // presses for the cover, which drops them.
        event->accept();
        return true;
    default:
        break;
    }
    return QWidget::event(event);
}

bool CoverWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        followParent();
    }
    return QWidget::eventFilter(watched, event);
}

void CoverWidget::paintEvent(QPaintEvent*)
{
    if (m_bBlack) {
        QPainter painter(this);
        painter.fillRect(rect(), kBlackCoverColor);
    }
}

void CoverWidget::showEvent(QShowEvent* event)
{
    followParent();
    raise();
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused != this && parentWidget() && parentWidget()->isAncestorOf(focused)) {
        m_pFocusBefore = focused;
    }
    setFocus(Qt::OtherFocusReason);
    QWidget::showEvent(event);
}

void CoverWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_pFocusBefore && m_pFocusBefore->isVisible() && m_pFocusBefore->isEnabled()) {
        m_pFocusBefore->setFocus(Qt::OtherFocusReason);
    }
    m_pFocusBefore.clear();
}

void CoverWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void CoverWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CoverWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

void CoverWidget::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void CoverWidget::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

void CoverWidget::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void CoverWidget::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

void CoverWidget::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

bool CoverWidget::focusNextPrevChild(bool)
{
    // Tab must not walk to the widgets under the cover.
    return true;
}

} // namespace crestui
