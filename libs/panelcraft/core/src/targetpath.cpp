#include "panelcraft/targetpath.h"

#include <QCoreApplication>

namespace crestui {

QString GetTargetPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/plugins");
}

} // namespace crestui
