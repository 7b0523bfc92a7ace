#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

namespace swapover {

// Swapover's application object. Construction makes the installation folder
// (the parent of the program's folder) the current folder and takes the main
// program's name from argv[2]. A widgets application, so that a small notice
// tells the user what happens; without a display it runs offscreen.
class ToolApplication : public QApplication
{
public:
    ToolApplication(int& argc, char** argv);

    QString mainApp() const { return m_qstrMainApp; }
    // Load, copy, restart; the program's exit status, always 0.
    int run();

    // The command line Qt gets: argv, plus an offscreen fallback for the
    // platform when none is chosen, so a missing display never stops an
    // upgrade. The returned strings live as long as the process.
    static char** withPlatformFallback(int& argc, char** argv);

private:
    void loadTranslation();

    QString m_qstrMainApp;
    QTranslator m_translator;
};

} // namespace swapover
