#include "config/installlayout.h"

#include <QFileInfo>

namespace gearmart {

const char InstallLayout::kPackageMark[] = ".gearloft-package";

bool InstallLayout::isPackaged(const QString& qstrInstallDir)
{
    if (qstrInstallDir.isEmpty())
        return false;
    const QFileInfo mark(qstrInstallDir + QLatin1Char('/') + QLatin1String(kPackageMark));
    return mark.isFile() && !mark.isSymLink();
}

} // namespace gearmart
