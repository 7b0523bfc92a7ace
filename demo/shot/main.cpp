// Saves a picture of the whole X screen (the root window) as PNG.
// Usage: gearloft_demoshot OUT.png; exit status 0 on success, 1 otherwise.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: gearloft_demoshot OUT.png\n");
        return 1;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "gearloft_demoshot: no screen\n");
        return 1;
    }
    const QPixmap picture = screen->grabWindow(0);
    if (picture.isNull() || !picture.save(args.at(1), "PNG")) {
        std::fprintf(stderr, "gearloft_demoshot: cannot grab the screen or write %s\n",
                     qUtf8Printable(args.at(1)));
        return 1;
    }
    return 0;
}
