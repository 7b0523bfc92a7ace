#pragma once

#include <QString>
#include <QStringList>

namespace crestui {

class File
{
public:
    // The UTF-8 text of the listed files of a folder (resource folders
    // included), in the order given. Files that cannot be read add nothing.
    static QString ReadAll(const QStringList& files, const QString& folder);
};

} // namespace crestui
