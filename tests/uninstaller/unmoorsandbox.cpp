#include "unmoorsandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace unmoortest {

const QString UnmoorSandbox::kGuid = QStringLiteral("{7D0C55A2-31E4-4B8A-9C61-2F3B8E9A1D44}");

namespace {
const QByteArray kVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
} // namespace

UnmoorSandbox::UnmoorSandbox()
{
    for (const QByteArray& name : kVariables)
        m_savedEnvironment.insert(name, qgetenv(name.constData()));
    QDir().mkpath(desktop());
    QDir().mkpath(dataHome());
    QDir().mkpath(m_dir.path() + QStringLiteral("/config"));
    qputenv("HOME", home().toUtf8());
    qputenv("XDG_DATA_HOME", dataHome().toUtf8());
    // No user-dirs.dirs there: the desktop is $HOME/Desktop.
    qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toUtf8());
}

UnmoorSandbox::~UnmoorSandbox()
{
    for (auto it = m_savedEnvironment.cbegin(); it != m_savedEnvironment.cend(); ++it) {
        if (it.value().isEmpty())
            qunsetenv(it.key().constData());
        else
            qputenv(it.key().constData(), it.value());
    }
}

QString UnmoorSandbox::keyFile(const QString& guid) const
{
    return dataHome() +
           QStringLiteral("/Brelvonix/registry/HKEY_CURRENT_USER/SOFTWARE/Microsoft/Windows/"
                          "CurrentVersion/Uninstall/") +
           guid + QStringLiteral(".ini");
}

QByteArray UnmoorSandbox::appConfigXml(const QString& guid, const QString& nameEN, const QString& nameCH,
                                       const QString& programName)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AppConfig>\n  <GUID>" + guid.toUtf8() +
           "</GUID>\n  <Version>1.1.0.5</Version>\n  <SoftwareNameEN>" + nameEN.toUtf8() +
           "</SoftwareNameEN>\n  <SoftwareNameCH>" + nameCH.toUtf8() + "</SoftwareNameCH>\n  <ProgramName>" +
           programName.toUtf8() + "</ProgramName>\n</AppConfig>\n";
}

bool UnmoorSandbox::writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QStringList UnmoorSandbox::installedFiles()
{
    return {QStringLiteral("AppConfig.xml"), QStringLiteral("Gearloft"),
            QStringLiteral("ToolsFile/ToolsInfoList.xml"), QStringLiteral("Unmoor"),
            QStringLiteral("translations/unmoor_en.qm")};
}

QString UnmoorSandbox::makeInstallation(const QString& folder, const QString& guid, bool withManifest)
{
    for (const QString& file : installedFiles()) {
        writeFile(folder + QLatin1Char('/') + file,
                  file == QLatin1String("AppConfig.xml") ? appConfigXml(guid) : QByteArray("installed"));
    }
    if (withManifest)
        writeManifest(folder, installedFiles());
    return folder;
}

bool UnmoorSandbox::writeManifest(const QString& folder, const QStringList& lines)
{
    return writeFile(folder + QStringLiteral("/.gearloft-manifest"),
                     "gearloft-manifest 1\n" + lines.join(QLatin1Char('\n')).toUtf8() + '\n');
}

bool UnmoorSandbox::registerProduct(const QString& installPath, const QString& guid)
{
    QString quoted = installPath;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return writeFile(keyFile(guid),
                     "[General]\nDisplayName=Gearloft\ninstallpath=\"" + quoted.toUtf8() + "\"\n");
}

void UnmoorSandbox::writeShortcuts(const QString& nameEN, const QString& nameCH)
{
    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=x\nExec=x\n";
    for (const QString& path : productShortcuts(nameEN, nameCH)) {
        if (path.endsWith(QLatin1String(".desktop")))
            writeFile(path, entry);
        else
            writeFile(path + QStringLiteral("/Gearloft.desktop"), entry);
    }
    for (const QString& path : foreignShortcuts())
        writeFile(path, entry);
}

QStringList UnmoorSandbox::productShortcuts(const QString& nameEN, const QString& nameCH) const
{
    QStringList paths;
    if (!nameEN.isEmpty()) {
        paths << desktop() + QLatin1Char('/') + nameEN + QStringLiteral(".desktop")
              << applications() + QLatin1Char('/') + nameEN;
    }
    if (!nameCH.isEmpty()) {
        paths << desktop() + QLatin1Char('/') + nameCH + QStringLiteral(".desktop")
              << applications() + QLatin1Char('/') + nameCH;
    }
    paths << desktop() + QStringLiteral("/Gearloft.desktop")
          << desktop() + QStringLiteral("/Loftwarden.desktop");
    paths.removeDuplicates();
    return paths;
}

QStringList UnmoorSandbox::foreignShortcuts() const
{
    return {desktop() + QStringLiteral("/Editor.desktop"), applications() + QStringLiteral("/editor.desktop"),
            applications() + QStringLiteral("/Games/chess.desktop")};
}

StandInProcess::StandInProcess(const QString& name)
{
    const QString program = m_dir.filePath(name);
    if (!QFile::copy(QStringLiteral("/usr/bin/tail"), program))
        return;
    m_process.start(program, {QStringLiteral("--pid=%1").arg(QCoreApplication::applicationPid()),
                              QStringLiteral("-f"), QStringLiteral("/dev/null")});
    m_process.waitForStarted();
}

StandInProcess::~StandInProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

} // namespace unmoortest
