#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

namespace signintest {

// Finds another process's top-level window on an X display and feeds it
// mouse input as the X server would deliver it, so a real program can be
// clicked and dragged on a virtual screen without a window manager.
class XWindowDriver
{
public:
    XWindowDriver() = default;
    ~XWindowDriver();
    XWindowDriver(const XWindowDriver&) = delete;
    XWindowDriver& operator=(const XWindowDriver&) = delete;

    bool open(const QString& qstrDisplay);

    // The viewable top-level window of process pid, or 0.
    quint64 findWindow(qint64 pid) const;
    QString title(quint64 window) const;
    // In root (screen) coordinates.
    QRect geometry(quint64 window) const;

    // Points are relative to the window where the gesture starts; the
    // whole gesture keeps the screen positions worked out from there, as a
    // real pointer would, however the window moves meanwhile.
    void leftDrag(quint64 window, const QPoint& from, const QPoint& to);
    void leftClick(quint64 window, const QPoint& point);
    // What a desktop's close command sends (WM_DELETE_WINDOW).
    void requestClose(quint64 window);

private:
    void sendButton(quint64 window, const QPoint& point, const QPoint& rootPoint, bool bPress);
    void sendMotion(quint64 window, const QPoint& point, const QPoint& rootPoint);

    void* m_pDisplay = nullptr;
};

} // namespace signintest
