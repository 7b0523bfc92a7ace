#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace crestui {

// A frameless dialog: a title bar (title and close button), a content widget
// the caller fills, and a confirm and a cancel button. Run with exec(): confirm
// accepts, cancel, the close button and Escape reject (see
// setEnableDefaultConnections). Closing it never quits the application.
class BaseDialog : public QDialog
{
    Q_OBJECT

public:
    // bTitleBar: show the title bar; bCloseButton: its close button;
    // bConfirmButton, bCancelButton: the bottom buttons; bMovable: dragging
    // the title bar moves the dialog; bShadow: a soft shadow instead of a thin
    // border; bModal: modal also when only shown (exec() is always modal).
    BaseDialog(bool bTitleBar, bool bCloseButton, bool bConfirmButton, bool bCancelButton, bool bMovable,
               bool bShadow, bool bModal, QWidget* parent = nullptr);
    // Everything on.
    explicit BaseDialog(QWidget* parent = nullptr);

    void setTitle(const QString& qstrTitle);
    QString title() const;
    void setConfirmButtonText(const QString& qstrText);
    void setCancelButtonText(const QString& qstrText);

    QWidget* getSetupUiWidget() const { return m_pSetupUiWidget; }
    QPushButton* getConfirmButtom() const { return m_pConfirmButton; }
    QPushButton* getCancelButtom() const { return m_pCancelButton; }
    QPushButton* getCloseButtom() const { return m_pCloseButton; }

    // Which built-in reactions stay on (all are on at first). Switch one off to
    // put your own slot on that button, e.g. to validate before accepting.
    void setEnableDefaultConnections(bool bConfirmAccepts, bool bCancelRejects, bool bCloseRejects,
                                     bool bEscapeRejects, bool bEnterConfirms);

    int exec() override;

    // Test seam, for headless tests only: each queued answer is returned by one
    // later exec() of any BaseDialog (or subclass) without showing it.
    static void setNextAnswerForTesting(int iResult);
    static void clearAnswersForTesting();
    // Title of the dialog most recently run through exec().
    static QString lastTitleForTesting();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onConfirmClicked();
    void onCancelClicked();
    void onCloseClicked();

    QWidget* m_pTitleBar = nullptr;
    QLabel* m_pTitleLabel = nullptr;
    QPushButton* m_pCloseButton = nullptr;
    QWidget* m_pSetupUiWidget = nullptr;
    QWidget* m_pButtonBar = nullptr;
    QPushButton* m_pConfirmButton = nullptr;
    QPushButton* m_pCancelButton = nullptr;
    bool m_bMovable;
    bool m_bShadow;
    bool m_bConfirmAccepts = true;
    bool m_bCancelRejects = true;
    bool m_bCloseRejects = true;
    bool m_bEscapeRejects = true;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};

} // namespace crestui
