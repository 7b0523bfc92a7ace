#include "shell/gearmartapplication.h"

#include "config/configmanager.h"
#include "config/userdatafolder.h"
#include "log/logging.h"
#include "panelcraft/file.h"
#include "panelcraft/targetpath.h"
#include "platform/launcher.h"
#include "platform/stagingmarker.h"
#include "platform/systeminfo.h"
#include "shell/inquiryifupdatepromptdialog.h"
#include "shell/pluginfinder.h"
#include "shell/singleinstance.h"
#include "version/clientversion.h"
#include "widgets/focusring.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QDebug>
#include <QDir>
#include <QLibraryInfo>
#include <QFileInfo>
#include <QFont>
#include <QStyle>

namespace gearmart {

namespace {
const char* kSkinKey = "Veneer";
const char* kStyleKey = "Lacquer";
} // namespace

GearmartApplication::GearmartApplication(int& argc, char** argv)
    : QApplication(argc, argv), m_qstrDataFolder(UserDataFolder::forInstallation(applicationDirPath())),
      m_startup(m_qstrDataFolder.isEmpty() ? applicationDirPath() : m_qstrDataFolder)
{
    if (m_qstrDataFolder.isEmpty())
        m_qstrDataFolder = applicationDirPath();
    // Every relative path of the client counts from the folder of its own
    // files; a separate data folder becomes current once it is sound.
    QDir::setCurrent(applicationDirPath());
    m_qstrServerName = QFileInfo(applicationFilePath()).fileName();
    m_pSingleInstance = new SingleInstance(m_qstrServerName, this);
    const QStringList args = arguments();
    m_bAlreadyRunning = m_pSingleInstance->checkAndClaim(args.size() < 2 ? QString() : args.last());
    connect(m_pSingleInstance, &SingleInstance::signalActivationRequested, this,
            &GearmartApplication::onActivationRequested);
}

QString GearmartApplication::clientVersion()
{
    return QString::fromLatin1(builtVersion());
}

void GearmartApplication::askUpdatePromptOnFirstRun()
{
    ConfigManager* config = ConfigManager::instance();
    if (config->firstLoading() != 1)
        return;
    config->set(ConfigKey::IsFirstLoading, QStringLiteral("0"));
    InquiryIfUpdatePromptDialog dialog;
    const bool enable = dialog.exec() == QDialog::Accepted;
    config->set(ConfigKey::PromptUpgrade, enable ? QStringLiteral("1") : QStringLiteral("0"));
}

bool GearmartApplication::init()
{
    if (!m_bAlreadyRunning && !prepareDataFolder())
        return false;
    // The running instance owns the files: this one only reads its language.
    if (m_bAlreadyRunning)
        ConfigManager::instance()->load(m_qstrDataFolder + QStringLiteral("/Setup.xml"));
    else
        m_startup.loadSettings();
    if (handOverToUpgrade()) {
        qCInfo(lcStartup, "---tracer7--- handed over to the staged self-upgrade");
        return false;
    }
    if (!m_bAlreadyRunning) {
        m_startup.ensureDownloadPath();
        m_startup.loadToolData();
    }
    setApplicationFont();
    loadSkin();
    loadStyle();
    FocusRing::install(this);
    loadTranslation();
    if (m_bAlreadyRunning) {
        TipDialog::showTip(kNoticeIcon,
                           tr("Client is already running."), tr("OK"), tr("Cancel"), false, nullptr);
        return false;
    }
    return true;
}

bool GearmartApplication::prepareDataFolder()
{
    if (m_qstrDataFolder == applicationDirPath())
        return true;
    UserDataFolder folder(m_qstrDataFolder, applicationDirPath());
    QString cause;
    if (folder.prepare(&cause)) {
        QDir::setCurrent(m_qstrDataFolder);
        qCInfo(lcStartup).noquote() << "---tracer7--- settings and tools kept in" << m_qstrDataFolder;
        return true;
    }
    qCCritical(lcStartup).noquote() << "Gearloft start: the data folder cannot be used:" << cause;
    loadStyle();
    TipDialog::showTip(kNoticeIcon,
                       tr("Gearloft cannot keep your settings and tools: %1").arg(cause), tr("OK"),
                       tr("Cancel"), false, nullptr);
    return false;
}

bool GearmartApplication::handOverToUpgrade()
{
    const QString staged = platform::homeFolder() + QStringLiteral("/Gearloft");
    ConfigManager* config = ConfigManager::instance();
    if (config->needUpdateFlag() != 1)
        return false;
    // Only a folder the service staged completely is an update; anything
    // else there (the user's own folder, a cut-off copy) is not, and the
    // flag must not make every start try again.
    if (!platform::isCompleteStaging(QFile::encodeName(staged).toStdString())) {
        qCWarning(lcStartup) << "no complete staged update in" << staged << "- update flag cleared";
        config->set(ConfigKey::IsNeedUpdate, QStringLiteral("0"));
        return false;
    }
    const QString copier = applicationDirPath() + QStringLiteral("/Swapover/Swapover");
    // Swapover waits for this instance to end, copies and restarts the client.
    return platform::startDetached(copier, {copier, QStringLiteral("Gearloft")}, applicationDirPath());
}

void GearmartApplication::setApplicationFont()
{
    QFont font(QStringLiteral("Microsoft YaHei"), 9);
    font.setKerning(false);
    font.setStyleHint(QFont::SansSerif, QFont::PreferAntialias);
    setFont(font);
}

void GearmartApplication::loadSkin()
{
    QObject* skin = findPluginFactory(QString::fromLatin1(kSkinKey), crestui::GetTargetPath());
    if (skin)
        qCDebug(lcStartup, "---tracer7--- LoadSkin = %s Success", kSkinKey);
    else
        qCDebug(lcStartup, "---tracer7--- LoadSkin = %s failed", kSkinKey);
}

void GearmartApplication::loadStyle()
{
    QObject* factory = findPluginFactory(QString::fromLatin1(kStyleKey), crestui::GetTargetPath());
    QStyle* style = nullptr;
    if (factory) {
        qCDebug(lcStartup, "---tracer7---LoadStyle = %s Success", kStyleKey);
        QMetaObject::invokeMethod(factory, "create", Qt::DirectConnection, Q_RETURN_ARG(QStyle*, style),
                                  Q_ARG(QString, QString::fromLatin1(kStyleKey)));
    } else {
        qCDebug(lcStartup, "---tracer7---LoadStyle = %s failed", kStyleKey);
    }
    if (!style)
        qCDebug(lcStartup, "---tracer7--- [GearmartApplication::loadStyle]The Lacquer does not exist.");
    else
        setStyle(style);

    const QString folder = QStringLiteral(":/Gearmart/Qss/");
    setStyleSheet(crestui::File::ReadAll(QDir(folder).entryList(QDir::Files), folder));
}

void GearmartApplication::loadTranslation()
{
    const bool chinese = ConfigManager::instance()->language() != 0;
    const QString file = applicationDirPath() + (chinese ? QStringLiteral("/translations/gearmart_zh.qm")
                                                         : QStringLiteral("/translations/gearmart_en.qm"));
    if (m_translator.load(file))
        installTranslator(&m_translator);
    // Qt's own dialogs (the folder picker) speak the same language.
    if (chinese && m_qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                                       QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTranslator);
}

void GearmartApplication::onActivationRequested()
{
    if (!m_pMainWindow)
        return;
    m_pMainWindow->raise();
    m_pMainWindow->activateWindow();
    m_pMainWindow->setWindowState((m_pMainWindow->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_pMainWindow->show();
}

} // namespace gearmart
