#pragma once

#include <QProcess>
#include <QString>

namespace signintest {

// A private X server (Xvfb) for programs that need a real display; it picks
// its own free display number and ends with this object.
class VirtualScreen
{
public:
    VirtualScreen() = default;
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // Empty on success, else what went wrong.
    QString start(int iWidth = 1280, int iHeight = 1024);
    void stop();
    // ":N" once started.
    QString display() const { return m_qstrDisplay; }

private:
    QProcess m_process;
    QString m_qstrDisplay;
};

} // namespace signintest
