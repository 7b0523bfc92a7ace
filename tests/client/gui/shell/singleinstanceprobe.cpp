// Plays one instance of the client for the single-instance test:
// prints "first" or "second", and the first prints what it is sent.
#include "shell/singleinstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    gearmart::SingleInstance instance(args.at(1));
    if (instance.checkAndClaim(args.at(2))) {
        std::puts("second");
        return 3;
    }
    std::puts("first");
    std::fflush(stdout);
    QObject::connect(&instance, &gearmart::SingleInstance::signalActivationRequested, &app,
                     [&](const QString& m) {
                         std::printf("activated:%s\n", qPrintable(m));
                         std::fflush(stdout);
                         app.quit();
                     });
    QTimer::singleShot(20000, &app, [&] { app.exit(4); });
    return app.exec();
}
