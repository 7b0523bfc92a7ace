#pragma once

#include "core/removalreport.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace quillkit {
class CCommandButton;
}

namespace appinstaller {

class UpperWidget;

// The completion page. When something of the installation folder is left
// it says so, with the reason and the folder, instead of announcing a clean
// uninstall.
class UnInstallCompletedPage : public QWidget
{
    Q_OBJECT

public:
    explicit UnInstallCompletedPage(QWidget* parent = nullptr);

    void setReport(const RemovalReport& report);

    UpperWidget* upperWidget() const { return m_pUpperWidget; }
    QPushButton* iconButton() const { return m_pIconToolBtn; }
    QLabel* infoLabel() const { return m_pInstallInfoLabel; }
    QLabel* leftReasonLabel() const { return m_pLeftReasonLabel; }
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
    QLabel* m_pLeftReasonLabel;
    QLabel* m_pKeptFolderLabel;
    quillkit::CCommandButton* m_pCompletedBtn;
};

} // namespace appinstaller
