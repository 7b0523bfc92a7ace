#include "toolapplication.h"

#include "config/configmanager.h"
#include "platform/systeminfo.h"
#include "selfupgrade.h"
#include "upgradenotice.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <memory>
#include <vector>

namespace swapover {

namespace {
// A failure notice stays this long unless the user closes it.
constexpr int kFailureNoticeMs = 15000;

// The client always passes two arguments; a shorter command line counts as
// an empty name instead of reading past argv's end.
QString argumentText(int argc, char** argv, int index)
{
    return index < argc && argv[index] ? QString::fromUtf8(argv[index]) : QString();
}
} // namespace

char** ToolApplication::withPlatformFallback(int& argc, char** argv)
{
    // Chosen by whoever started us: left alone (and passed on unchanged to
    // the restarted client).
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return argv;
    static std::vector<char*> extended;
    static char platformOption[] = "-platform";
    static char platforms[] = "xcb;offscreen";
    extended.assign(argv, argv + argc);
    extended.push_back(platformOption);
    extended.push_back(platforms);
    extended.push_back(nullptr);
    argc += 2;
    return extended.data();
}

ToolApplication::ToolApplication(int& argc, char** argv) : QApplication(argc, argv)
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

void ToolApplication::loadTranslation()
{
    // The client's translation, in the language the installation uses.
    const bool chinese = gearmart::ConfigManager::instance()->language() != 0;
    const QString file = QDir::currentPath() + (chinese ? QStringLiteral("/translations/gearmart_zh.qm")
                                                        : QStringLiteral("/translations/gearmart_en.qm"));
    if (m_translator.load(file))
        installTranslator(&m_translator);
}

int ToolApplication::run()
{
    SelfUpgrade upgrade(QDir::currentPath(), platform::homeFolder(), m_qstrMainApp);
    std::unique_ptr<UpgradeNotice> notice;
    upgrade.setStageSink([this, &notice](SelfUpgrade::Stage stage) {
        if (!notice) {
            loadTranslation();
            notice = std::make_unique<UpgradeNotice>();
        }
        switch (stage) {
        case SelfUpgrade::Stage::Waiting:
            notice->showWaiting();
            break;
        case SelfUpgrade::Stage::Applying:
            notice->showApplying();
            break;
        case SelfUpgrade::Stage::Applied:
            // The client comes back at once: nothing more to say.
            notice->hide();
            break;
        case SelfUpgrade::Stage::Failed:
            notice->showFailed();
            break;
        }
    });
    // Waits keep the notice painted.
    upgrade.setPause([] {
        QElapsedTimer pause;
        pause.start();
        while (!pause.hasExpired(250)) {
            processEvents();
            QThread::msleep(SelfUpgrade::kIdleStepMs);
        }
    });
    upgrade.setIdle([] { processEvents(); });
    const int status = upgrade.run();

    // After the restart, a failure stays on screen until it is read, where
    // someone can see it.
    if (notice && notice->failed() && platformName() != QLatin1String("offscreen")) {
        QEventLoop loop;
        QTimer closed;
        QObject::connect(&closed, &QTimer::timeout, &loop, [&] {
            if (!notice->isVisible())
                loop.quit();
        });
        closed.start(100);
        QTimer::singleShot(kFailureNoticeMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return status;
}

} // namespace swapover
