#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace platform {

// The Windows registry as a tree of INI files. The key "HIVE\A\B\KEY" is the
// file "<root>/HIVE/A/B/KEY.ini"; its values live in [General], its sub-keys
// are groups ("Sub/Name" addresses Name in the sub-key Sub).
class Registry
{
public:
    // Rooted at defaultRoot().
    Registry();
    explicit Registry(const QString& rootFolder);

    // ${XDG_DATA_HOME:-$HOME/.local/share}/Brelvonix/registry
    static QString defaultRoot();
    QString rootFolder() const { return m_root; }

    // Empty for key paths that would leave the root (empty parts, "." or
    // "..", "/" inside a part).
    QString filePathForKey(const QString& keyPath) const;

    QString value(const QString& keyPath, const QString& name, const QString& defaultValue = QString()) const;
    bool setValue(const QString& keyPath, const QString& name, const QString& value);
    // Writes all values in one go.
    bool setValues(const QString& keyPath, const QVector<QPair<QString, QString>>& values);
    // Value names of the key and its sub-keys.
    QStringList valueNames(const QString& keyPath) const;
    bool holdsValues(const QString& keyPath) const;
    // Removes the key with all its values and sub-keys. A missing key counts
    // as removed.
    bool removeKey(const QString& keyPath);

private:
    QString m_root;
};

} // namespace platform
