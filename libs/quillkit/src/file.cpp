#include "quillkit/file.h"

#include <QDir>
#include <QFile>

namespace quillkit {

QString CFile::ReadAll(const QStringList& listFiles, const QString& strFolder)
{
    const QDir folder(strFolder);
    QString text;
    for (const QString& name : listFiles) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        text += QString::fromUtf8(file.readAll());
        // Style sheets are joined: a file without a final line break must
        // not run into the next one's first selector.
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
    }
    return text;
}

} // namespace quillkit
