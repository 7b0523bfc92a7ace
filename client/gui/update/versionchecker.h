#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

namespace gearmart {

// The client's own update: the check for a newer main program and its
// download, and the silent download of a newer material (tool key 0). It
// holds the state of the settings page's version rows; the page shows it.
class VersionChecker : public QObject
{
    Q_OBJECT

public:
    // What the version rows show.
    enum class Rows
    {
        Check,      // only the check button
        Checking,   // "checking...", no button
        NewVersion, // the update button with "check new version!"
        Message,    // a message for a moment, no button
        Updated,    // "Version have updated, please restart software" until the restart
        Packaged,   // for good: the package manager updates this installation
    };
    Q_ENUM(Rows)

    explicit VersionChecker(QObject* parent = nullptr);

    // The installation decides whether the client may update itself (not in
    // a package's layout); the program's own folder unless set.
    void setInstallDirectory(const QString& qstrDirectory);
    bool selfUpdates() const { return !m_bPackaged; }

    // Intervals of the message timer and of both progress polls.
    void setIntervals(int iRowsMs, int iPollMs);

    // Rows as the page first shows them: the new-version display when the
    // main program is known to need an update.
    void start();

    Rows rows() const { return m_emRows; }
    // The text of the message line; empty in the check state.
    QString message() const { return m_qstrMessage; }
    bool hasNewGearloft() const { return m_bGearloftNew; }
    bool isManagerPolling() const { return m_managerTimer.isActive(); }
    bool isMaterialPolling() const { return m_materialTimer.isActive(); }

public slots:
    void onServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    // The user's check (the check button).
    void onCheckUpdate();
    // The update button. Refused (false, nothing sent) while tools download.
    bool onUpdate(int iDownloadingCount);
    void onUpdateCancel();
    void onUpdateCompleted();
    void onUpdateTimeOut();
    void onManagerProcessTimeOut();
    void onMaterialProcessTimeOut();

signals:
    void signalRowsChanged();
    void signalToServer(int method, QVector<int> toolKeys);
    void signalStartUpdateManagerTool();
    void signalSetUpdateProgress(int iValue);
    void signalUpdateFailed();
    void signalHaveNewMaterial();
    void signalGearloftNew(bool bNew);

private:
    void showNewVersion();
    void showMessage(const QString& qstrText);
    void setRows(Rows emRows, const QString& qstrMessage);
    void onManagerVersion(const QMap<int, QString>& values);
    void onMaterialVersion(const QMap<int, QString>& values);
    void onMaterialDownload(const QMap<int, QString>& values);
    void onManagerDownload(const QMap<int, QString>& values);
    void onMaterialProgress(const QString& qstrValue);
    void onManagerProgress(const QString& qstrValue);

    Rows m_emRows = Rows::Check;
    QString m_qstrMessage;
    QString m_qstrNewestMaterial;
    bool m_bChecking = false;
    bool m_bAskedByUser = false;
    bool m_bPackaged = false;
    bool m_bGearloftNew = false;
    QTimer m_rowsTimer;
    QTimer m_managerTimer;
    QTimer m_materialTimer;
};

} // namespace gearmart
