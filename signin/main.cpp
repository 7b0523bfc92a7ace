#include "application.h"
#include "loginsettings.h"
#include "signgate.h"

#include <QDebug>
#include <platform/systeminfo.h>

int main(int argc, char* argv[])
{
    // The browser's sandbox cannot start for the superuser; it would abort.
    if (platform::currentUserName() == QLatin1String("root") &&
        qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    signgate::Application app(argc, argv);
    // Status 1 would read as "signed in" to the caller.
    if (argc < 2) {
        qWarning("Signgate needs the language number as its argument");
        return 2;
    }

    const int language = signgate::Application::languageNumber(QString::fromLocal8Bit(argv[1]));
    const signgate::LoginSettings settings =
        signgate::LoginSettings::load(signgate::LoginSettings::programSettingsPath());
    signgate::Signgate window(language, settings.loginUrl());
    window.show();
    app.exec();
    return window.loginResult();
}
