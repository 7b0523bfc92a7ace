#include "platform/desktopentry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

// The escapes of the desktop entry "string" type; they keep a value on its
// line, so no text can add keys of its own.
QString escapeValue(const QString& value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char(' ') && i == 0)
            out += QLatin1String("\\s"); // readers strip leading blanks
        else
            out += c;
    }
    return out;
}

} // namespace

QString desktopEntryFolder(EntryFolder folder)
{
    return QStandardPaths::writableLocation(folder == EntryFolder::Desktop
                                                ? QStandardPaths::DesktopLocation
                                                : QStandardPaths::ApplicationsLocation);
}

QString desktopEntryFilePath(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return {};
    return folder + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

QString quoteExecArgument(const QString& path)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            out += QLatin1Char('%'); // "%" starts a field code
        out += c;
    }
    return out + QLatin1Char('"');
}

QByteArray desktopEntryText(const DesktopEntry& entry)
{
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + escapeValue(entry.name) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + escapeValue(quoteExecArgument(entry.executable)) + QLatin1Char('\n');
    text += QStringLiteral("Path=") + escapeValue(QFileInfo(entry.executable).path()) + QLatin1Char('\n');
    if (!entry.icon.isEmpty())
        text += QStringLiteral("Icon=") + escapeValue(entry.icon) + QLatin1Char('\n');
    return text.toUtf8();
}

bool writeDesktopEntry(const QString& folder, const DesktopEntry& entry)
{
    const QString path = desktopEntryFilePath(folder, entry.name);
    if (path.isEmpty() || entry.executable.isEmpty() || !QDir().mkpath(folder))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = desktopEntryText(entry);
    // Desktops run only launchers that are marked executable.
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                      QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                      QFileDevice::ExeOther;
    if (file.write(text) != text.size() || !file.setPermissions(mode))
        return false;
    return file.commit();
}

bool removeDesktopEntry(const QString& folder, const QString& name)
{
    const QString path = desktopEntryFilePath(folder, name);
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    return QFile::remove(path);
}

} // namespace platform
