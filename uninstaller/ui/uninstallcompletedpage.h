#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace quillkit {
class CCommandButton;
}

namespace appinstaller {

class UpperWidget;

// The completion page. When the installation folder had to be left in place
// it says so, with the folder, instead of announcing a clean uninstall.
class UnInstallCompletedPage : public QWidget
{
    Q_OBJECT

public:
    explicit UnInstallCompletedPage(QWidget* parent = nullptr);

    // Empty: everything went. Otherwise the folder that is still there.
    void setKeptFolder(const QString& strFolder);

    UpperWidget* upperWidget() const { return m_pUpperWidget; }
    QPushButton* iconButton() const { return m_pIconToolBtn; }
    QLabel* infoLabel() const { return m_pInstallInfoLabel; }
    QLabel* keptFolderLabel() const { return m_pKeptFolderLabel; }
    quillkit::CCommandButton* completedButton() const { return m_pCompletedBtn; }

signals:
    void signalClose();

public slots:
    void onCompletedBtnClicked();

private:
    UpperWidget* m_pUpperWidget;
    QWidget* m_pBottomWidget;
    QPushButton* m_pIconToolBtn;
    QLabel* m_pInstallInfoLabel;
    QLabel* m_pKeptFolderLabel;
    quillkit::CCommandButton* m_pCompletedBtn;
};

} // namespace appinstaller
