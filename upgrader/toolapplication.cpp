#include "toolapplication.h"

#include "platform/systeminfo.h"
#include "selfupgrade.h"

#include <QDebug>
#include <QDir>

namespace swapover {

namespace {
// The client always passes two arguments; a shorter command line counts as
// an empty name instead of reading past argv's end.
QString argumentText(int argc, char** argv, int index)
{
    return index < argc && argv[index] ? QString::fromUtf8(argv[index]) : QString();
}
} // namespace

ToolApplication::ToolApplication(int& argc, char** argv) : QCoreApplication(argc, argv)
{
    const QString strDir = applicationDirPath() + QStringLiteral("/../");
    QDir::setCurrent(strDir);
    qDebug().noquote() << "-------------------tracer7--------------strDir-------------" << strDir;
    m_qstrMainApp = argumentText(argc, argv, 2);
    qDebug().noquote() << "-------------------tracer7--------------argv[0]-------------"
                       << argumentText(argc, argv, 0);
    qDebug().noquote() << "-------------------tracer7--------------argv[1]-------------"
                       << argumentText(argc, argv, 1);
    qDebug().noquote() << "-------------------tracer7--------------argv[2]-------------" << m_qstrMainApp;
}

int ToolApplication::run()
{
    SelfUpgrade upgrade(QDir::currentPath(), platform::homeFolder(), m_qstrMainApp);
    return upgrade.run();
}

} // namespace swapover
