// Puts older editions of some catalog tools into a demo installation, as if
// they had been installed a while ago, so that the client has updates to
// announce as soon as it starts.
//
//   gearloft_demoseed INSTALL_DIR DEMOTOOL KEY=VERSION...
//
// INSTALL_DIR holds Setup.xml (with a DownloadPath) and the catalog; each
// tool gets its folder under DownloadPath/SubTools/ with the demo tool
// program, its state (downloaded, at VERSION) and its uninstall entry.
#include "config/configmanager.h"
#include "tooldata/tooldatamanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

using namespace gearmart;

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << "gearloft_demoseed: " << message << '\n';
    return 1;
}

// The program file name on Linux: ExeName without "_x64" and ".exe", as the
// demo cloud names it.
QString programName(const QString& exeName)
{
    QString name = exeName;
    name.remove(QStringLiteral("_x64"));
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

bool placeTool(int key, const QString& version, const QString& demotool)
{
    ToolDataManager* data = ToolDataManager::instance();
    const QString folder = data->installFolder(key);
    const QString program = folder + QLatin1Char('/') + programName(data->toolInfos().value(key).ExeName);
    if (!QDir().mkpath(folder))
        return false;
    QFile::remove(program);
    if (!QFile::copy(demotool, program))
        return false;
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                       | QFileDevice::ExeOther);
    QFile stamp(folder + QStringLiteral("/version.txt"));
    if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    stamp.write(version.toUtf8() + '\n');
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return fail(QStringLiteral("usage: gearloft_demoseed INSTALL_DIR DEMOTOOL KEY=VERSION..."));
    if (!QDir::setCurrent(args.at(1)))
        return fail(QStringLiteral("no installation at ") + args.at(1));
    if (!ConfigManager::instance()->load(QDir::currentPath() + QStringLiteral("/Setup.xml")))
        return fail(QStringLiteral("Setup.xml unreadable"));
    if (ConfigManager::instance()->downloadPath().isEmpty())
        return fail(QStringLiteral("Setup.xml names no DownloadPath"));
    ToolDataManager* data = ToolDataManager::instance();
    if (!data->loadAll())
        return fail(QStringLiteral("catalog or state list unreadable"));

    for (int i = 3; i < args.size(); ++i) {
        const QStringList pair = args.at(i).split(QLatin1Char('='));
        bool ok = false;
        const int key = pair.value(0).toInt(&ok);
        if (pair.size() != 2 || !ok || !data->toolInfos().contains(key) || key < 2)
            return fail(QStringLiteral("not a catalog tool and version: ") + args.at(i));
        if (!ToolDataManager::versionLess(pair.at(1), data->toolInfos().value(key).Version))
            return fail(QStringLiteral("%1 is not older than the catalog's %2")
                            .arg(pair.at(1), data->toolInfos().value(key).Version));
        if (!placeTool(key, pair.at(1), args.at(2)))
            return fail(QStringLiteral("cannot write the folder of tool %1").arg(key));
        ToolState& state = data->toolStates()[key];
        state.ToolKey = key;
        state.CurrentVersion = pair.at(1);
        state.IsDownload = 1;
        state.IsNewTools = 0;
        state.IsNeedUpdate = 1;
        data->registerTool(key);
    }
    if (!data->saveStateList())
        return fail(QStringLiteral("state list not saved"));
    return 0;
}
