#pragma once

#include <QString>

namespace appinstaller {

// The product's per-user entry below the Uninstall key of the registry
// store. Only a GUID that names a single key below Uninstall addresses it:
// an empty GUID would otherwise address the Uninstall key itself, whose
// clearing removes every product's entry.
class ProductKey
{
public:
    explicit ProductKey(const QString& strGUID);

    // "HKEY_CURRENT_USER\...\Uninstall\<GUID>"; empty for an unusable GUID.
    QString keyPath() const { return m_strKeyPath; }
    // The key holds at least one value, directly or in a sub-key.
    bool isInstalled() const;
    // The value "installpath"; empty when the key is absent.
    QString installPath() const;
    // Removes the key with all its values.
    bool clear() const;

private:
    QString m_strKeyPath;
};

} // namespace appinstaller
