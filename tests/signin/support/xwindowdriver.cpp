#include "xwindowdriver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace signintest {

namespace {

Display* dpy(void* display)
{
    return static_cast<Display*>(display);
}

} // namespace

XWindowDriver::~XWindowDriver()
{
    if (m_pDisplay)
        XCloseDisplay(dpy(m_pDisplay));
}

bool XWindowDriver::open(const QString& qstrDisplay)
{
    m_pDisplay = XOpenDisplay(qstrDisplay.toLocal8Bit().constData());
    return m_pDisplay != nullptr;
}

quint64 XWindowDriver::findWindow(qint64 pid) const
{
    Display* display = dpy(m_pDisplay);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == 0)
        return 0;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    quint64 found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                               &items, &after, &data) == Success &&
            data && items == 1 && format == 32) {
            const auto windowPid = qint64(*reinterpret_cast<unsigned long*>(data));
            XWindowAttributes attributes;
            if (windowPid == pid && XGetWindowAttributes(display, children[i], &attributes) &&
                attributes.map_state == IsViewable)
                found = children[i];
        }
        if (data)
            XFree(data);
    }
    if (children)
        XFree(children);
    return found;
}

QString XWindowDriver::title(quint64 window) const
{
    Display* display = dpy(m_pDisplay);
    const Atom nameAtom = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QString text;
    if (XGetWindowProperty(display, Window(window), nameAtom, 0, 1024, False, utf8, &type, &format, &items,
                           &after, &data) == Success &&
        data && format == 8)
        text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(items));
    if (data)
        XFree(data);
    return text;
}

QRect XWindowDriver::geometry(quint64 window) const
{
    Display* display = dpy(m_pDisplay);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, Window(window), &attributes))
        return QRect();
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, Window(window), DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

void XWindowDriver::sendButton(quint64 window, const QPoint& point, const QPoint& rootPoint, bool bPress)
{
    Display* display = dpy(m_pDisplay);
    XEvent event{};
    XButtonEvent& button = event.xbutton;
    button.type = bPress ? ButtonPress : ButtonRelease;
    button.display = display;
    button.window = Window(window);
    button.root = DefaultRootWindow(display);
    button.subwindow = 0;
    button.time = CurrentTime;
    button.x = point.x();
    button.y = point.y();
    button.x_root = rootPoint.x();
    button.y_root = rootPoint.y();
    // The state describes the buttons before this event.
    button.state = bPress ? 0 : Button1Mask;
    button.button = Button1;
    button.same_screen = True;
    // An empty event mask delivers to the window's own client.
    XSendEvent(display, Window(window), True, 0, &event);
    XFlush(display);
}

void XWindowDriver::sendMotion(quint64 window, const QPoint& point, const QPoint& rootPoint)
{
    Display* display = dpy(m_pDisplay);
    XEvent event{};
    XMotionEvent& motion = event.xmotion;
    motion.type = MotionNotify;
    motion.display = display;
    motion.window = Window(window);
    motion.root = DefaultRootWindow(display);
    motion.time = CurrentTime;
    motion.x = point.x();
    motion.y = point.y();
    motion.x_root = rootPoint.x();
    motion.y_root = rootPoint.y();
    motion.state = Button1Mask;
    motion.is_hint = NotifyNormal;
    motion.same_screen = True;
    XSendEvent(display, Window(window), True, 0, &event);
    XFlush(display);
}

void XWindowDriver::leftDrag(quint64 window, const QPoint& from, const QPoint& to)
{
    const QPoint origin = geometry(window).topLeft();
    sendButton(window, from, origin + from, true);
    sendMotion(window, to, origin + to);
    sendButton(window, to, origin + to, false);
}

void XWindowDriver::leftClick(quint64 window, const QPoint& point)
{
    const QPoint root = geometry(window).topLeft() + point;
    sendButton(window, point, root, true);
    sendButton(window, point, root, false);
}

void XWindowDriver::requestClose(quint64 window)
{
    Display* display = dpy(m_pDisplay);
    XEvent event{};
    XClientMessageEvent& message = event.xclient;
    message.type = ClientMessage;
    message.display = display;
    message.window = Window(window);
    message.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.format = 32;
    message.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.data.l[1] = CurrentTime;
    XSendEvent(display, Window(window), False, NoEventMask, &event);
    XFlush(display);
}

} // namespace signintest
