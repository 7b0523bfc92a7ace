#pragma once
// A throw-away client installation for tests: Setup.xml, a small catalog and
// a state list in a temporary folder, and a stand-in process named Gearloft
// that keeps a started service alive.

#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace clienttest {

class ClientInstallation
{
public:
    ClientInstallation();
    ~ClientInstallation();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Setup.xml in the client's line layout; values override the defaults.
    void writeSetup(const QMap<QString, QString>& values = {});
    // A catalog with the material, the main program and tools 2..(1 + tools).
    void writeCatalog(int tools = 3, const QString& materialVersion = QStringLiteral("1.0.0.1"));
    void writeStateList(
        const QByteArray& content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n</Tools>\n");
    // defaults/: copies of the Setup.xml and the catalog written so far, as
    // the installation ships them.
    void writeDefaults();
    // Copies installed programs (Gearloft, Haulmoor, ZipUnzip) from the staging installation.
    bool copyPrograms(const QStringList& names);
    // Loads the configuration and tool data singletons from this folder.
    bool loadSingletons();
    // An element of a tool's entry in the state list as saved; empty when
    // the tool has none.
    QByteArray savedState(int key, const char* element) const;

    // A process whose executable is named Gearloft, for the service to see.
    bool startStandIn();
    // Ends it, so that a service started here ends as well.
    void stopStandIn();
    // Starts the copied Haulmoor in this folder on port; it answers once it
    // is listening, which the caller waits for.
    bool startService(QProcess& service, quint16 port,
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_standInDir;
    QProcess m_standIn;
};

} // namespace clienttest
