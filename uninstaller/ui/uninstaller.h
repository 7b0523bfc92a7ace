#pragma once

#include <QString>
#include <memory>

namespace appinstaller {

class MainWindow;

// The program's start: resources, the window, the running-client and
// installed checks, the confirmation, and the start of the uninstall.
class Uninstaller
{
public:
    Uninstaller();
    ~Uninstaller();

    // "<program folder>/rcc/guiresource.rcc".
    static QString resourceFilePath();

    // -1 when the uninstall does not start (the client runs, the product is
    // not installed, or the user declines); nothing is changed then.
    // 0 when the window shows and the worker runs: run the event loop next.
    int start();

    MainWindow* mainWindow() const { return m_pMainWindow.get(); }

private:
    std::unique_ptr<MainWindow> m_pMainWindow;
};

} // namespace appinstaller
