#include "clientinstallation.h"

#include "config/configmanager.h"
#include "platform/registry.h"
#include "tooldata/tooldatamanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace clienttest {

namespace {
bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray toolElement(int key, const QString& name, const QString& version)
{
    QByteArray xml = "<Tool>\n";
    auto add = [&xml](const char* element, const QString& value) {
        xml += "<" + QByteArray(element) + ">" + value.toUtf8() + "</" + QByteArray(element) + ">\n";
    };
    add("ToolKey", QString::number(key));
    add("ToolType", QStringLiteral("1"));
    add("ToolCHName", name + QStringLiteral("工具"));
    add("ToolENName", name);
    add("Version", version);
    add("IconMinName", name.toLower() + QStringLiteral("_min.png"));
    add("IconMidName", name.toLower() + QStringLiteral("_mid.png"));
    add("IconMaxName", name.toLower() + QStringLiteral("_max.png"));
    add("BriefCHIntro", name + QStringLiteral("的简介"));
    add("BriefENIntro", QStringLiteral("About ") + name);
    add("UpdateCHIntro", QStringLiteral("更新说明"));
    add("UpdateENIntro", QStringLiteral("What is new"));
    add("ExeName", name + QStringLiteral(".exe"));
    add("updateDate", QStringLiteral("2026-11-30"));
    add("ToolSize", QStringLiteral("1.5"));
    add("IsDown", QStringLiteral("0"));
    add("DetailImagesNum", QStringLiteral("0"));
    add("DownloadCHUrl", QStringLiteral("tools/%1/%1.zip").arg(name));
    add("DownloadENUrl", QStringLiteral("tools/%1/%1.zip").arg(name));
    return xml + "</Tool>\n";
}
} // namespace

ClientInstallation::ClientInstallation() = default;

ClientInstallation::~ClientInstallation()
{
    stopStandIn();
}

void ClientInstallation::writeSetup(const QMap<QString, QString>& values)
{
    QMap<QString, QString> settings{{"Translator", "0"},
                                    {"VersionType", "1"},
                                    {"DownloadPath", path() + QStringLiteral("/Download")},
                                    {"IsCloseOpenTools", "0"},
                                    {"IsNeedUpdate", "0"},
                                    {"ChServerAddress", "http://127.0.0.1:9/cn"},
                                    {"EnServerAddress", "http://127.0.0.1:9/en"},
                                    {"IsFirstLoading", "0"},
                                    {"PromptUpgrade", "0"}};
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.insert(it.key(), it.value());
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n";
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        if (it.value() == QStringLiteral("<absent>"))
            continue;
        xml += "<" + it.key().toUtf8() + ">\n<Value>" + it.value().toUtf8() + "</Value>\n</" +
               it.key().toUtf8() + ">\n";
    }
    writeFile(filePath(QStringLiteral("Setup.xml")), xml + "</Setup>\n");
}

void ClientInstallation::writeCatalog(int tools, const QString& materialVersion)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n";
    xml += toolElement(0, QStringLiteral("Material"), materialVersion);
    xml += toolElement(1, QStringLiteral("Gearloft"), QStringLiteral("1.1.0.5"));
    for (int key = 2; key < 2 + tools; ++key)
        xml += toolElement(key, QStringLiteral("Tool%1").arg(key), QStringLiteral("1.0.0.%1").arg(key));
    writeFile(filePath(QStringLiteral("ToolsFile/ToolsInfoList.xml")), xml + "</Tools>\n");
}

void ClientInstallation::writeStateList(const QByteArray& content)
{
    writeFile(filePath(QStringLiteral("ToolsStateList.xml")), content);
}

void ClientInstallation::writeDefaults()
{
    for (const char* name : {"Setup.xml", "ToolsFile/ToolsInfoList.xml"}) {
        QFile file(filePath(QLatin1String(name)));
        if (file.open(QIODevice::ReadOnly))
            writeFile(filePath(QStringLiteral("defaults/") + QLatin1String(name)), file.readAll());
    }
}

bool ClientInstallation::copyPrograms(const QStringList& names)
{
    for (const QString& name : names) {
        if (!QFile::copy(QStringLiteral(GEARLOFT_STAGE_DIR "/") + name, filePath(name)))
            return false;
    }
    return true;
}

bool ClientInstallation::loadSingletons()
{
    gearmart::ConfigManager::resetInstanceForTest();
    gearmart::ToolDataManager::resetInstanceForTest();
    if (!gearmart::ConfigManager::instance()->load(filePath(QStringLiteral("Setup.xml"))))
        return false;
    gearmart::ToolDataManager* data = gearmart::ToolDataManager::instance();
    data->setBaseDirectoryForTest(path());
    data->setRegistryForTest(platform::Registry(path() + QStringLiteral("/registry")));
    return data->loadAll();
}

QByteArray ClientInstallation::savedState(int key, const char* element) const
{
    QFile file(filePath(QStringLiteral("ToolsStateList.xml")));
    const QByteArray xml = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const int entry = xml.indexOf("<ToolKey>" + QByteArray::number(key) + "</ToolKey>");
    if (entry < 0)
        return {};
    const QByteArray open = "<" + QByteArray(element) + ">";
    const int start = xml.indexOf(open, entry) + open.size();
    return xml.mid(start, xml.indexOf("</" + QByteArray(element) + ">", start) - start);
}

bool ClientInstallation::startStandIn()
{
    // tail ends by itself once the test process is gone, so a test that dies
    // leaves no Gearloft behind to keep services alive.
    const QString program = m_standInDir.filePath(QStringLiteral("Gearloft"));
    if (!QFile::exists(program) && !QFile::copy(QStringLiteral("/usr/bin/tail"), program))
        return false;
    m_standIn.start(program, {QStringLiteral("--pid=%1").arg(QCoreApplication::applicationPid()),
                              QStringLiteral("-f"), QStringLiteral("/dev/null")});
    return m_standIn.waitForStarted();
}

void ClientInstallation::stopStandIn()
{
    if (m_standIn.state() != QProcess::NotRunning) {
        m_standIn.kill();
        m_standIn.waitForFinished();
    }
}

bool ClientInstallation::startService(QProcess& service, quint16 port, const QProcessEnvironment& environment)
{
    service.setProcessEnvironment(environment);
    service.setWorkingDirectory(path());
    service.start(filePath(QStringLiteral("Haulmoor")), {QString::number(port)});
    return service.waitForStarted();
}

} // namespace clienttest
