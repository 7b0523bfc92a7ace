#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace swapover {

// The small window Swapover shows while it applies an update: the user sees
// why the client went away, and whether the update failed.
class UpgradeNotice : public QWidget
{
    Q_OBJECT

public:
    explicit UpgradeNotice(QWidget* parent = nullptr);

    void showWaiting();
    void showApplying();
    // The update was not applied: says that the previous version stays and
    // offers a button to close the notice.
    void showFailed();

    bool failed() const { return m_bFailed; }

protected:
    // Escape closes a failure notice like its button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showText(const QString& qstrText);

    QLabel* m_pLabel;
    QPushButton* m_pCloseBtn;
    bool m_bFailed = false;
};

} // namespace swapover
