#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

class ProgressBar;

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
};

} // namespace gearmart
