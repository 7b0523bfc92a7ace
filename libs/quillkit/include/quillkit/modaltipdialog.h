#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;

namespace quillkit {

class CCommandButton;
class CSecondCommandButton;

// Quillkit's modal message box: icon, text, an OK button and, for the
// confirming model, a Cancel button. Frameless; drag it by its top strip.
// exec() gives Accepted only for OK.
class CModalTipDialog : public QDialog
{
    Q_OBJECT

public:
    enum DialogModel
    {
        ModelInfo = 1,
        ModelWarn = 2,
        ModelConfirm = 3 // the user confirms (OK) or declines (Cancel)
    };
    enum DialogSize
    {
        SizeSmall = 0,
        SizeLarge = 1
    };

    explicit CModalTipDialog(QWidget* parent = nullptr);

    // Unknown numbers fall back to ModelInfo and SizeSmall.
    void setDialogModel(int iModel);
    int dialogModel() const { return m_iModel; }
    void setContentText(const QString& strText);
    QString contentText() const;
    void setDialogSize(int iSize);
    int dialogSize() const { return m_iSize; }

    CCommandButton* confirmButton() const { return m_pConfirmBtn; }
    CSecondCommandButton* cancelButton() const { return m_pCancelBtn; }

    int exec() override;

    // A warning with one button; true when OK was pressed.
    static bool ShowMessageWarn(const QString& strText, int iSize = SizeSmall, QWidget* parent = nullptr);

    // Test seam for headless runs: each queued answer is returned by one later
    // exec() of any tip dialog, without showing it.
    static void setNextAnswerForTesting(int iResult);
    static void clearAnswersForTesting();
    struct Shown
    {
        int model = 0;
        int size = 0;
        QString text;
    };
    // Every dialog run through exec() since the last clear, in order.
    static QList<Shown> shownForTesting();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyModel();

    int m_iModel = ModelInfo;
    int m_iSize = SizeSmall;
    QLabel* m_pIconLabel;
    QLabel* m_pTextLabel;
    CCommandButton* m_pConfirmBtn;
    CSecondCommandButton* m_pCancelBtn;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};

} // namespace quillkit
