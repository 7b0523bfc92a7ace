#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// A program link as a freedesktop desktop entry.
struct DesktopEntry
{
    QString name;       // display name, also the file name without ".desktop"
    QString executable; // absolute path of the program
    QString icon;       // icon path or theme name; may be empty
};

enum class EntryFolder
{
    Desktop,
    Applications
};

QString desktopEntryFolder(EntryFolder folder);
// "<folder>/<name>.desktop"; empty when the name cannot be a file name.
QString desktopEntryFilePath(const QString& folder, const QString& name);

// The program path as one Exec argument: quoted, with the characters the
// quoting and the field codes reserve escaped (before file-level escaping).
QString quoteExecArgument(const QString& path);
// The file's content: Type, Name, Exec, Path (the program's folder), Icon.
QByteArray desktopEntryText(const DesktopEntry& entry);

// Writes "<name>.desktop" (mode 0755), creating the folder when missing.
bool writeDesktopEntry(const QString& folder, const DesktopEntry& entry);
// A missing entry counts as removed.
bool removeDesktopEntry(const QString& folder, const QString& name);

} // namespace platform
