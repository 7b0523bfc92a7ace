#include "panelcraft/file.h"

#include <QDir>
#include <QFile>

namespace crestui {

QString File::ReadAll(const QStringList& files, const QString& folder)
{
    const QDir dir(folder);
    QString text;
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

} // namespace crestui
