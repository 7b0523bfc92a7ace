#pragma once

#include "tooldata/installinfo.h"
#include "tooldata/loadnotice.h"
#include "tooldata/toolinfo.h"
#include "tooldata/toollocalinfo.h"
#include "tooldata/toolregistry.h"
#include "tooldata/toolstate.h"

#include <QMap>
#include <QString>
#include <QVector>

namespace gearmart {

// The catalog and the tool states of this installation, with the files and
// registry entries behind them. One per process; created thread-safely, used
// from the GUI thread only.
class ToolDataManager
{
public:
    static constexpr int kMaterialKey = 0;
    static constexpr int kManagerKey = 1;

    // Created on first use; takes language and version type from the
    // configuration and the base directory from the current directory.
    static ToolDataManager* instance();
    static void resetInstanceForTest();
    void setBaseDirectoryForTest(const QString& qstrDirectory) { m_qstrBaseDirectory = qstrDirectory; }
    void setRegistryForTest(const platform::Registry& registry) { m_registry = ToolRegistry(registry); }

    // Takes over a staged material, reads catalog and states, merges them
    // and writes the state list back. Never leaves the client without data:
    // a refused staged material is dropped, a broken catalog is replaced by
    // the shipped one (or left empty), a broken state list is rebuilt from
    // the registry. False when any of that happened; loadNotices() says what.
    bool loadAll();
    const QVector<LoadNotice>& loadNotices() const { return m_loadNotices; }

    QMap<int, ToolInfo>& toolInfos() { return m_toolInfos; }
    QMap<int, ToolState>& toolStates() { return m_toolStates; }
    const QMap<int, ToolInfo>& toolInfos() const { return m_toolInfos; }
    const QMap<int, ToolState>& toolStates() const { return m_toolStates; }

    int language() const { return m_iLanguage; }
    int versionType() const { return m_iVersionType; }
    QString baseDirectory() const { return m_qstrBaseDirectory; }

    // Texts in the interface language (1 Chinese, 0 English); empty for any
    // other language or an unknown key.
    QString toolName(int iToolkey) const;
    QString briefIntro(int iToolkey) const;
    QString updateIntro(int iToolkey) const;
    // "ExeName" without its four-character extension.
    QString exeBaseName(int iToolkey) const;
    // download path + "/SubTools/" + exe base name
    QString installFolder(int iToolkey) const;
    // Package address on the cloud; empty for a key not in the catalog.
    QString downloadAddress(int iToolkey) const;

    QString materialCurrentVersion() const;
    int managerNeedsUpdate() const;
    // Creates the state when missing, then saves the state list.
    bool setCurrentVersion(int iToolkey, const QString& qstrVersion);
    // In memory only; the caller saves.
    void setListOrder(int iToolkey, int iOrder);
    bool saveStateList();

    // ToolsLocalInfo.xml: install dates, replaced versions and skipped ones.
    const QMap<int, ToolLocalInfo>& localInfos() const { return m_localInfos; }
    ToolLocalInfo localInfo(int iToolkey) const { return m_localInfos.value(iToolkey); }
    // In memory only; the caller saves.
    void setLocalInfo(int iToolkey, const ToolLocalInfo& info);
    bool saveLocalInfo();
    // An install or update of the tool completed now: the date, and what it
    // replaced (no entries: nothing kept to go back to). A skipped version
    // it reached or passed is skipped no more. Saves.
    void recordInstall(int iToolkey, const QString& qstrReplacedVersion, const QStringList& replacedEntries);
    // The catalog's version of the tool is newer than the installed one.
    bool needsUpdate(int iToolkey) const;
    // ... and the user has not chosen to skip it: what the pages offer.
    bool updateOffered(int iToolkey) const;
    bool isUpdateSkipped(int iToolkey) const;
    // Empty clears the skip. Saves.
    bool setSkippedVersion(int iToolkey, const QString& qstrVersion);
    // Where the service unpacks the tool's package: the folder above an
    // installer's copy, else the download path's "SubTools".
    QString unzipFolder(int iToolkey) const;

    void setMaterialVersion(const QString& qstrVersion) { m_qstrMaterialVersion = qstrVersion; }
    QString materialVersion() const { return m_qstrMaterialVersion; }
    void setManagerVersion(const QString& qstrVersion) { m_qstrManagerVersion = qstrVersion; }
    QString managerVersion() const { return m_qstrManagerVersion; }
    void setClientVersion(const QString& qstrVersion) { m_qstrClientVersion = qstrVersion; }
    QString clientVersion() const { return m_qstrClientVersion; }
    void setSignedIn(bool bSignedIn) { m_bSignedIn = bSignedIn; }
    bool isSignedIn() const { return m_bSignedIn; }

    void registerTool(int iToolkey);
    void unregisterTool(int iToolkey);
    InstallInfo installedCheck(int iToolkey) const;

    // Four dot-separated numbers compared part by part; any other form is
    // never older.
    static bool versionLess(const QString& a, const QString& b);

private:
    ToolDataManager();

    QString localized(int iToolkey, QString ToolInfo::*chinese, QString ToolInfo::*english) const;
    void readCatalog();
    void readStates(QMap<int, ToolState>* pStates);
    void readLocalInfo();
    void addNotice(LoadNotice::Kind emKind, const QString& qstrCause, const char* pszAction);

    int m_iLanguage = 0;
    int m_iVersionType = 1;
    QString m_qstrBaseDirectory;
    ToolRegistry m_registry;
    QMap<int, ToolInfo> m_toolInfos;
    QMap<int, ToolState> m_toolStates;
    QMap<int, ToolLocalInfo> m_localInfos;
    QVector<LoadNotice> m_loadNotices;
    bool m_bSignedIn = false;
    QString m_qstrMaterialVersion;
    QString m_qstrManagerVersion;
    QString m_qstrClientVersion;
};

} // namespace gearmart
