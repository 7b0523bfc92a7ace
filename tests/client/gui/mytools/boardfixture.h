#pragma once
// What the board tests share: an installation whose tools are on disk, with
// the states the client would have after loading them.

#include "clientinstallation.h"
#include "config/configmanager.h"
#include "launch/toollauncher.h"
#include "testcatalog.h"
#include "tooldata/tooldatamanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

namespace boardtest {

struct Installed
{
    int key = 2;
    int listOrder = 0;
    bool needsUpdate = false;
};

// A fresh installation with the given tools in the catalog; the ones in
// installed are on disk (folder with their program) and marked downloaded.
inline std::unique_ptr<clienttest::ClientInstallation> install(const QList<testcatalog::Tool>& tools,
                                                               const QList<Installed>& installed,
                                                               const QMap<QString, QString>& setup = {})
{
    auto installation = std::make_unique<clienttest::ClientInstallation>();
    installation->writeSetup(setup);
    if (!testcatalog::writeCatalog(*installation, tools))
        return nullptr;
    QList<int> keys;
    for (const testcatalog::Tool& tool : tools)
        keys << tool.key;
    testcatalog::writeStates(*installation, keys);
    if (!installation->loadSingletons())
        return nullptr;
    auto& states = gearmart::ToolDataManager::instance()->toolStates();
    for (const Installed& entry : installed) {
        gearmart::ToolState& state = states[entry.key];
        state.ToolKey = entry.key;
        state.IsDownload = 1;
        state.IsNeedUpdate = entry.needsUpdate ? 1 : 0;
        state.ListOrder = entry.listOrder;
        if (entry.needsUpdate)
            state.CurrentVersion = QStringLiteral("1.0.0.0");
        const QString program = gearmart::ToolLauncher::executablePath(entry.key);
        if (!testcatalog::writeScript(program, "exit 0"))
            return nullptr;
    }
    return installation;
}

inline QList<testcatalog::Tool> tools(int first, int last)
{
    QList<testcatalog::Tool> list;
    for (int key = first; key <= last; ++key)
        list << testcatalog::tool(key);
    return list;
}

// The tool states as saved on disk, read back the way the client reads them.
inline QMap<int, int> savedListOrder(const clienttest::ClientInstallation& installation)
{
    QMap<int, int> order;
    const QByteArray xml = testcatalog::read(installation.filePath(QStringLiteral("ToolsStateList.xml")));
    int from = 0;
    while ((from = xml.indexOf("<ToolKey>", from)) >= 0) {
        const int keyEnd = xml.indexOf("</ToolKey>", from);
        const int key = xml.mid(from + 9, keyEnd - from - 9).toInt();
        const int orderStart = xml.indexOf("<ListOrder>", keyEnd);
        const int orderEnd = xml.indexOf("</ListOrder>", orderStart);
        order.insert(key, xml.mid(orderStart + 11, orderEnd - orderStart - 11).toInt());
        from = orderEnd;
    }
    return order;
}

inline QByteArray savedElement(const clienttest::ClientInstallation& installation, int key,
                               const char* element)
{
    return installation.savedState(key, element);
}

// A mouse event as the window system delivers it to a view's viewport.
inline void sendMouse(QWidget* viewport, QEvent::Type type, const QPoint& pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

} // namespace boardtest
