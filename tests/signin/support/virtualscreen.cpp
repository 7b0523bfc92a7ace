#include "virtualscreen.h"

#include <QStandardPaths>

namespace signintest {

VirtualScreen::~VirtualScreen()
{
    stop();
}

QString VirtualScreen::start(int iWidth, int iHeight)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return QStringLiteral("Xvfb is not installed (package xvfb)");
    // -displayfd makes the server choose a free display and print its number.
    m_process.setProgram(xvfb);
    m_process.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                            QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(iWidth).arg(iHeight),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return QStringLiteral("Xvfb did not start: ") + m_process.errorString();
    QByteArray number;
    while (!number.contains('\n')) {
        if (!m_process.waitForReadyRead(20000)) {
            const QString error = QString::fromLocal8Bit(m_process.readAllStandardError());
            stop();
            return QStringLiteral("Xvfb named no display: ") + error;
        }
        number += m_process.readAllStandardOutput();
    }
    m_qstrDisplay = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    return QString();
}

void VirtualScreen::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    m_qstrDisplay.clear();
}

} // namespace signintest
