// The sign-in window in this process (offscreen): its form, dragging by the
// top strip, its buttons, the ticket cookie arriving through the browser's
// cookie store, and the application's own event rules.
#include "application.h"
#include "signgate.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QNetworkCookie>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest>
#include <algorithm>
#include <stdexcept>

using namespace signgate;

namespace {

// Nothing answers here: the window shows the engine's error page.
const QUrl kLoginUrl(QStringLiteral("http://127.0.0.1:9/login"));

class Thrower : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("receiver failed");
        return QObject::event(event);
    }
};

class EventRecorder : public QObject
{
public:
    QList<QEvent::Type> seen;
    bool eventFilter(QObject*, QEvent* event) override
    {
        seen += event->type();
        return false;
    }
};

} // namespace

class TestSigngateWindow : public QObject
{
    Q_OBJECT

private:
    static void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button,
                          Qt::MouseButtons buttons, const QPoint& global)
    {
        QMouseEvent event(type, target->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }

    template <typename T> static T* part(QWidget& window, const char* name)
    {
        return window.findChild<T*>(QLatin1String(name));
    }

private slots:
    void cleanup() { QToolTip::hideText(); }

    void formAndLook()
    {
        Signgate window(0, kLoginUrl);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.objectName(), QStringLiteral("SigngateClass"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Signgate"));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.size(), QSize(1218, 808));
        auto* strip = part<QFrame>(window, "horizontalFrame");
        auto* minBtn = part<QPushButton>(window, "minBtn");
        auto* closeBtn = part<QPushButton>(window, "closeBtn");
        auto* view = part<QWebEngineView>(window, "webEngineView");
        QVERIFY(strip && minBtn && closeBtn && view);
        QCOMPARE(minBtn->size(), QSize(24, 24));
        QCOMPARE(closeBtn->size(), QSize(24, 24));
        QVERIFY(minBtn->text().isEmpty() && closeBtn->text().isEmpty());
        // Close at the strip's right edge, minimise just left of it.
        QCOMPARE(closeBtn->geometry().right(), strip->width() - 9 - 1);
        QCOMPARE(closeBtn->geometry().top(), 9);
        QCOMPARE(minBtn->geometry().right(), closeBtn->geometry().left() - 6 - 1);
        QCOMPARE(view->minimumSize(), QSize(1200, 740));
        // The strip keeps its height; the page takes the rest.
        QCOMPARE(strip->height(), 9 + 24 + 9);
        QCOMPARE(view->geometry(), QRect(0, strip->height(), 1218, 808 - strip->height()));
        for (QWidget* control : {static_cast<QWidget*>(strip), static_cast<QWidget*>(minBtn),
                                 static_cast<QWidget*>(closeBtn), static_cast<QWidget*>(view)})
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        QVERIFY(closeBtn->styleSheet().contains(QLatin1String(":/Signgate/Skin/common_close.svg")));
        QVERIFY(minBtn->styleSheet().contains(QLatin1String(":/Signgate/Skin/common_minus.svg")));
        QCOMPARE(window.loginUrl(), kLoginUrl);
        QTRY_COMPARE(view->url(), kLoginUrl);
    }

    void interceptorOnlyForChinese_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("intercepts");
        QTest::newRow("English") << 0 << false;
        QTest::newRow("Chinese") << 1 << true;
        QTest::newRow("other") << 2 << false;
    }

    void interceptorOnlyForChinese()
    {
        QFETCH(int, language);
        QFETCH(bool, intercepts);
        Signgate window(language, kLoginUrl);
        QCOMPARE(window.hasLanguageInterceptor(), intercepts);
    }

    void dragsByTheTopStripOnly()
    {
        Signgate window(0, kLoginUrl);
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* strip = part<QFrame>(window, "horizontalFrame");
        auto* view = part<QWebEngineView>(window, "webEngineView");
        const QPoint start = window.pos();
        const QPoint grab = strip->mapToGlobal(QPoint(200, 15));

        sendMouse(strip, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, grab);
        sendMouse(strip, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, grab + QPoint(40, 25));
        QTRY_COMPARE(window.pos(), start + QPoint(40, 25));
        sendMouse(strip, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, grab + QPoint(-30, 60));
        QTRY_COMPARE(window.pos(), start + QPoint(-30, 60));
        sendMouse(strip, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, grab + QPoint(-30, 60));

        // After the release, and with any other button, moving does nothing.
        const QPoint dropped = window.pos();
        sendMouse(strip, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, grab + QPoint(300, 300));
        const QPoint rightGrab = strip->mapToGlobal(QPoint(200, 15));
        sendMouse(strip, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, rightGrab);
        sendMouse(strip, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, rightGrab + QPoint(50, 50));
        sendMouse(strip, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton,
                  rightGrab + QPoint(50, 50));
        // Dragging inside the page is the page's business.
        const QPoint inPage = view->mapToGlobal(QPoint(300, 300));
        sendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, inPage);
        sendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, inPage + QPoint(80, 80));
        sendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, inPage + QPoint(80, 80));
        QCoreApplication::processEvents();
        QCOMPARE(window.pos(), dropped);
    }

    void closeButtonEndsWithoutSignIn()
    {
        Signgate window(0, kLoginUrl);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(part<QPushButton>(window, "minBtn"), Qt::LeftButton);
        QVERIFY(window.isMinimized());
        QVERIFY(window.isVisible());
        window.showNormal();
        QTest::mouseClick(part<QPushButton>(window, "closeBtn"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.loginResult(), 0);
    }

    void ticketFromTheLoginHostCloses()
    {
        const QUrl login(QStringLiteral("http://sso.signgate.test:9/login"));
        Signgate window(0, login);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWebEngineCookieStore* store =
            part<QWebEngineView>(window, "webEngineView")->page()->profile()->cookieStore();
        QSignalSpy added(store, &QWebEngineCookieStore::cookieAdded);
        const auto set = [store](const QByteArray& name, const QString& host) {
            store->setCookie(QNetworkCookie(name, "TGT-1"), QUrl(QStringLiteral("http://%1/").arg(host)));
        };

        set("CASTGC", QStringLiteral("login.sso.signgate.test"));
        set("CASTGC", QStringLiteral("signgate.test"));
        set("castgc", QStringLiteral("sso.signgate.test"));
        set("TGC", QStringLiteral("sso.signgate.test"));
        // The store reports in order: once the marker is in, so are the others.
        set("MARK", QStringLiteral("sso.signgate.test"));
        QTRY_VERIFY(std::any_of(added.cbegin(), added.cend(), [](const QList<QVariant>& arguments) {
            return arguments.at(0).value<QNetworkCookie>().name() == "MARK";
        }));
        QCOMPARE(added.size(), 5);
        QVERIFY(window.isVisible());
        QCOMPARE(window.loginResult(), 0);

        set("CASTGC", QStringLiteral("sso.signgate.test"));
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(window.loginResult(), 1);
        store->deleteAllCookies();
    }

    void fontChangesAreDropped()
    {
        QWidget widget;
        EventRecorder recorder;
        widget.installEventFilter(&recorder);
        QEvent fontChange(QEvent::ApplicationFontChange);
        QCoreApplication::sendEvent(&widget, &fontChange);
        QEvent other(QEvent::PaletteChange);
        QCoreApplication::sendEvent(&widget, &other);
        QCOMPARE(recorder.seen, QList<QEvent::Type>{QEvent::PaletteChange});
    }

    void toolTipsShowTheControlsText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("button") << QStringLiteral("button") << QStringLiteral("Sign in");
        QTest::newRow("label") << QStringLiteral("label") << QStringLiteral("Sign in");
        QTest::newRow("combo box") << QStringLiteral("combo") << QStringLiteral("Second");
        QTest::newRow("line edit keeps its tip") << QStringLiteral("edit") << QStringLiteral("the tip");
        QTest::newRow("no text: its own tip") << QStringLiteral("plain") << QStringLiteral("the tip");
    }

    void toolTipsShowTheControlsText()
    {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        QWidget window;
        QWidget* control = nullptr;
        if (kind == QLatin1String("button")) {
            control = new QPushButton(QStringLiteral("Sign in"), &window);
        } else if (kind == QLatin1String("label")) {
            control = new QLabel(QStringLiteral("Sign in"), &window);
        } else if (kind == QLatin1String("combo")) {
            auto* combo = new QComboBox(&window);
            combo->addItems({QStringLiteral("First"), QStringLiteral("Second")});
            combo->setCurrentIndex(1);
            control = combo;
        } else if (kind == QLatin1String("edit")) {
            control = new QLineEdit(QStringLiteral("typed"), &window);
        } else {
            control = new QWidget(&window);
        }
        control->resize(80, 24);
        control->setToolTip(QStringLiteral("the tip"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), control->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(control, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), shown);
    }

    void showMarksWidgetsMapped()
    {
        QWidget widget;
        QVERIFY(!widget.testAttribute(Qt::WA_Mapped));
        QShowEvent show;
        QCoreApplication::sendEvent(&widget, &show);
        QVERIFY(widget.testAttribute(Qt::WA_Mapped));
    }

    void exceptionsStopAtTheEventLoop()
    {
        Thrower thrower;
        QEvent failing(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&thrower, &failing));
        // And the application goes on delivering.
        QWidget widget;
        EventRecorder recorder;
        widget.installEventFilter(&recorder);
        QEvent next(QEvent::PaletteChange);
        QCoreApplication::sendEvent(&widget, &next);
        QCOMPARE(recorder.seen, QList<QEvent::Type>{QEvent::PaletteChange});
    }
};

int main(int argc, char* argv[])
{
    // The browser's default profile keeps cookies on disk: give it a home of
    // its own, so runs never see each other's.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath(QStringLiteral("cache"))));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Only the program name: the window test needs no translation.
    int appArgc = 1;
    Application app(appArgc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestSigngateWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_signgatewindow.moc"
