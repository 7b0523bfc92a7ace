#include "ui/application.h"
#include "ui/uninstaller.h"

int main(int argc, char** argv)
{
    appinstaller::Application app(argc, argv);
    appinstaller::Uninstaller uninstaller;
    if (uninstaller.start() != 0)
        return -1;
    return app.exec();
}
