#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testfiles {

inline QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool write(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Every entry below a folder, hidden ones included, as relative paths.
inline QStringList listTree(const QString& folder)
{
    QStringList names;
    const QDir root(folder);
    const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& info : root.entryInfoList(filters, QDir::Name)) {
        names << info.fileName();
        if (info.isDir() && !info.isSymLink()) {
            for (const QString& inner : listTree(info.filePath()))
                names << info.fileName() + QLatin1Char('/') + inner;
        }
    }
    return names;
}

} // namespace testfiles
