#pragma once

#include <QCoreApplication>
#include <QString>

namespace swapover {

// Swapover's application object (no widgets, no event loop). Construction
// makes the installation folder (the parent of the program's folder) the
// current folder and takes the main program's name from argv[2].
class ToolApplication : public QCoreApplication
{
public:
    ToolApplication(int& argc, char** argv);

    QString mainApp() const { return m_qstrMainApp; }
    // Load, copy, restart; the program's exit status, always 0.
    int run();

private:
    QString m_qstrMainApp;
};

} // namespace swapover
