#pragma once

#include <QString>
#include <QStringList>

namespace quillkit {

class CFile
{
public:
    // The UTF-8 text of the listed files of strFolder (resource folders
    // included), joined in the order given. Files that cannot be read add
    // nothing.
    static QString ReadAll(const QStringList& listFiles, const QString& strFolder);
};

} // namespace quillkit
