#include "platform/registry.h"
#include "platform/systeminfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace platform {

namespace {

void configure(QSettings& settings)
{
    settings.setIniCodec("UTF-8");
}

} // namespace

Registry::Registry() : m_root(defaultRoot()) {}

Registry::Registry(const QString& rootFolder) : m_root(rootFolder) {}

QString Registry::defaultRoot()
{
    // Relative values are to be ignored, as XDG says.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = homeFolder() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/Brelvonix/registry");
}

QString Registry::filePathForKey(const QString& keyPath) const
{
    const QStringList parts = keyPath.split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
            part.contains(QLatin1Char('/')) || part.contains(QChar(0)))
            return {};
    }
    if (m_root.isEmpty())
        return {};
    return m_root + QLatin1Char('/') + parts.join(QLatin1Char('/')) + QStringLiteral(".ini");
}

QString Registry::value(const QString& keyPath, const QString& name, const QString& defaultValue) const
{
    const QString file = filePathForKey(keyPath);
    if (file.isEmpty() || !QFileInfo::exists(file))
        return defaultValue;
    QSettings settings(file, QSettings::IniFormat);
    configure(settings);
    if (settings.status() != QSettings::NoError || !settings.contains(name))
        return defaultValue;
    const QVariant stored = settings.value(name);
    // An unquoted "a, b" written by hand reads back as a list.
    if (stored.type() == QVariant::StringList)
        return stored.toStringList().join(QLatin1Char(','));
    return stored.toString();
}

bool Registry::setValue(const QString& keyPath, const QString& name, const QString& value)
{
    return setValues(keyPath, {{name, value}});
}

bool Registry::setValues(const QString& keyPath, const QVector<QPair<QString, QString>>& values)
{
    const QString file = filePathForKey(keyPath);
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).path()))
        return false;
    QSettings settings(file, QSettings::IniFormat);
    configure(settings);
    for (const auto& entry : values) {
        if (entry.first.isEmpty())
            return false;
        settings.setValue(entry.first, entry.second);
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QStringList Registry::valueNames(const QString& keyPath) const
{
    const QString file = filePathForKey(keyPath);
    if (file.isEmpty() || !QFileInfo::exists(file))
        return {};
    QSettings settings(file, QSettings::IniFormat);
    configure(settings);
    return settings.allKeys();
}

bool Registry::holdsValues(const QString& keyPath) const
{
    return !valueNames(keyPath).isEmpty();
}

bool Registry::removeKey(const QString& keyPath)
{
    const QString file = filePathForKey(keyPath);
    if (file.isEmpty())
        return false;
    if (!QFileInfo::exists(file))
        return true;
    {
        // Emptied through QSettings first so that its per-process cache
        // cannot hand the old values to a later reader.
        QSettings settings(file, QSettings::IniFormat);
        configure(settings);
        settings.clear();
        settings.sync();
    }
    if (!QFile::remove(file))
        return false;
    // The folders of the key's path go when nothing else is in them, so
    // that removing the last key leaves no empty tree behind.
    QDir store(m_root);
    QString folder = QDir(m_root).relativeFilePath(QFileInfo(file).path());
    while (folder != QLatin1String(".") && !folder.startsWith(QLatin1String("..")) && store.rmdir(folder))
        folder = QFileInfo(folder).path();
    return true;
}

} // namespace platform
