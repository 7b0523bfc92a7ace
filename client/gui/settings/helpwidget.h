#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

// The help pop-up of the title bar: the user manual, the licences, and what
// a user sends with a support request (the log folder, the diagnostics).
class HelpWidget : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWidget(QWidget* parent = nullptr);

    void setApplicationDirectory(const QString& qstrDirectory) { m_qstrApplicationDir = qstrDirectory; }
    void setLogFolder(const QString& qstrFolder) { m_qstrLogFolder = qstrFolder; }

signals:
    void signalCover(bool bCover);

public slots:
    void onManualButtonClicked();
    void onLicenseButtonClicked();
    void onOpenLogFolderClicked();
    void onCopyDiagnosticsClicked();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* m_manualButton = nullptr;
    QPushButton* m_licenseButon = nullptr;
    QPushButton* m_logFolderButton = nullptr;
    QPushButton* m_diagnosticsButton = nullptr;
    QString m_qstrApplicationDir;
    QString m_qstrLogFolder;
    bool m_bNoDialogOpen = true;
};

} // namespace gearmart
