#pragma once
// What the catalog tests share: an installation with a chosen catalog, and
// reaching controls the way assistive technology does.

#include "clientinstallation.h"
#include "testcatalog.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QColor>
#include <QImage>
#include <QWidget>
#include <memory>

namespace catalogtest {

// A fresh installation: Setup.xml with the overrides, the catalog, a state
// list in which the keys in knownKeys are not new, singletons loaded.
inline std::unique_ptr<clienttest::ClientInstallation> install(const QList<testcatalog::Tool>& tools,
                                                               const QMap<QString, QString>& setup = {},
                                                               const QList<int>& knownKeys = {})
{
    auto installation = std::make_unique<clienttest::ClientInstallation>();
    installation->writeSetup(setup);
    if (!testcatalog::writeCatalog(*installation, tools))
        return nullptr;
    testcatalog::writeStates(*installation, knownKeys);
    if (!installation->loadSingletons())
        return nullptr;
    return installation;
}

inline QList<testcatalog::Tool> tools(int first, int last)
{
    QList<testcatalog::Tool> list;
    for (int key = first; key <= last; ++key)
        list << testcatalog::tool(key);
    return list;
}

inline QAccessibleInterface* findIn(QAccessibleInterface* node, const QString& name)
{
    if (!node)
        return nullptr;
    if (node->text(QAccessible::Name) == name)
        return node;
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* found = findIn(node->child(i), name))
            return found;
    }
    return nullptr;
}

// The control under root whose accessible name is name, if it is shown.
inline QAccessibleInterface* findShown(QWidget* root, const QString& name)
{
    QAccessibleInterface* found = findIn(QAccessible::queryAccessibleInterface(root), name);
    return found && !found->state().invisible ? found : nullptr;
}

inline bool press(QWidget* root, const QString& name)
{
    QAccessibleInterface* control = findShown(root, name);
    if (!control || !control->actionInterface() ||
        !control->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()))
        return false;
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

inline QImage solid(const QColor& color, const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

} // namespace catalogtest
