#pragma once

#include "config/configkey.h"
#include "config/configure.h"

#include <QString>
#include <memory>
#include <vector>

namespace gearmart {

// The settings of Setup.xml, shared by the client and the self-upgrader.
// One per process; reads and writes belong to the GUI thread.
class ConfigManager
{
public:
    // Created on first use; safe to call first from any thread.
    static ConfigManager* instance();
    // Drops the instance so that the next instance() starts empty.
    static void resetInstanceForTest();

    // Replaces all entries by the file's settings, in document order. On
    // failure the store is empty and pError, when given, says why.
    bool load(const QString& path, QString* pError = nullptr);
    // Path of the last successful load; empty before one.
    QString filePath() const { return m_qstrFilePath; }

    const Configure* find(ConfigKey key) const;
    const std::vector<std::unique_ptr<Configure>>& entries() const { return m_entries; }

    unsigned language() const;
    QString downloadPath() const;
    int closeOpenToolsFlag() const;
    int needUpdateFlag() const;
    int versionType() const;
    // "ChServerAddress" for language 1, "EnServerAddress" otherwise.
    QString serverAddress() const;
    int firstLoading() const;
    int promptUpgrade() const;
    // 1 for the fast transfers, 0 (the classic ones) for anything else.
    int transferMode() const;

    // Writes one existing key back to the file, re-read from disk so that
    // others' changes survive. Never adds a key; on failure the file is
    // untouched.
    bool set(ConfigKey key, const QString& qstrValue);
    bool setDownloadPath(const QString& qstrPath);
    bool setCloseOpenToolsFlag(int iFlag);
    bool setNeedUpdateFlag(int iFlag);
    // Setup.xml files older than the setting lack its element; this one write
    // appends it rather than leaving the switch unable to turn on.
    bool setTransferMode(int iMode);

private:
    ConfigManager() = default;

    Configure* findMutable(ConfigKey key) const;
    int intValue(ConfigKey key, int iFallback) const;
    // 0 when missing, unparsable or -1.
    int flagValue(ConfigKey key) const;

    std::vector<std::unique_ptr<Configure>> m_entries;
    QString m_qstrFilePath;
};

} // namespace gearmart
