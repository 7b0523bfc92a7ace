#pragma once
// A throw-away user for the uninstaller: HOME, XDG_DATA_HOME (with the
// registry store) and XDG_CONFIG_HOME in a temporary folder, an installation
// with its AppConfig.xml, the product key, and the shortcuts a user has.

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace unmoortest {

class UnmoorSandbox
{
public:
    static const QString kGuid;

    UnmoorSandbox();
    ~UnmoorSandbox();

    bool isValid() const { return m_dir.isValid(); }
    QString home() const { return m_dir.path() + QStringLiteral("/home"); }
    QString dataHome() const { return home() + QStringLiteral("/.local/share"); }
    QString desktop() const { return home() + QStringLiteral("/Desktop"); }
    QString applications() const { return dataHome() + QStringLiteral("/applications"); }
    QString keyFile(const QString& guid = kGuid) const;
    QString root() const { return m_dir.path(); }

    static QByteArray appConfigXml(const QString& guid = kGuid,
                                   const QString& nameEN = QStringLiteral("Gearloft"),
                                   const QString& nameCH = QStringLiteral("Loftwarden"),
                                   const QString& programName = QStringLiteral("Gearloft"));
    static bool writeFile(const QString& path, const QByteArray& data);

    // An installation folder holding AppConfig.xml (with guid), programs and
    // a nested folder; with a manifest listing them, as cmake --install
    // writes it.
    QString makeInstallation(const QString& folder, const QString& guid = kGuid, bool withManifest = false);
    // The manifest of folder: its format line, then lines as given.
    static bool writeManifest(const QString& folder, const QStringList& lines);
    // What makeInstallation() puts into a folder.
    static QStringList installedFiles();
    // The product key with "installpath" (and the values an installer sets).
    bool registerProduct(const QString& installPath, const QString& guid = kGuid);
    // Desktop entries for the English and Chinese names and the two fixed
    // names, menu folders for both names, and entries of other programs.
    void writeShortcuts(const QString& nameEN = QStringLiteral("Gearloft"),
                        const QString& nameCH = QStringLiteral("Loftwarden"));
    // Every product shortcut named by writeShortcuts().
    QStringList productShortcuts(const QString& nameEN = QStringLiteral("Gearloft"),
                                 const QString& nameCH = QStringLiteral("Loftwarden")) const;
    // Entries that belong to other programs and must survive.
    QStringList foreignShortcuts() const;

private:
    QTemporaryDir m_dir;
    QMap<QByteArray, QByteArray> m_savedEnvironment;
};

// A process whose executable file is named name (a copy of tail that ends
// with the test process).
class StandInProcess
{
public:
    explicit StandInProcess(const QString& name);
    ~StandInProcess();
    bool isRunning() const { return m_process.state() == QProcess::Running; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

} // namespace unmoortest
