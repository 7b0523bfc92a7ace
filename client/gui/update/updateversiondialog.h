#pragma once

#include "request/transferprogress.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

class ProgressBar;
class TransferProgressLabel;

// Shown by the main window while its own new version downloads.
class UpdateVersionDialog : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateVersionDialog(QWidget* parent = nullptr);

    int progress() const;

public slots:
    // At exactly 100 the update counts as complete: the dialog says so and hides.
    void setProgress(int iValue);
    void reset();
    // "Updating V<current> to V<newer>" above the bar, so the user sees
    // what is fetched; without both versions the plain title stays.
    void setVersions(const QString& qstrCurrent, const QString& qstrNewer);
    // The line under the bar; unknown figures hide it. The main window hands
    // over the main program's figures.
    void setTransferProgress(const gearmart::TransferProgress& progress);

signals:
    void signalUpdateCompleted();
    void signalUpdateCancel();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Escape cancels like the cancel button; the button takes the focus so
    // that Space and Enter reach it.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_pLabel;
    ProgressBar* m_pProgressBar;
    QPushButton* m_pCancelBtn;
    TransferProgressLabel* m_pTransferLabel;
};

} // namespace gearmart
