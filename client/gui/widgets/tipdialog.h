#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace gearmart {

// The client's one message box: an icon, a wrapped text, an OK button and an
// optional Cancel button on a shadowed frameless panel of 320 x 168, taller
// for a long text.
class TipDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TipDialog(QWidget* parent = nullptr);

    // Empty captions read "OK" and "Cancel". A missing icon leaves its place empty.
    void setTip(const QString& qstrIconPath, const QString& qstrText, const QString& qstrOkText,
                const QString& qstrCancelText, bool bShowCancel);

    // Shows a tip modally; 1 when OK was pressed, 0 for Cancel or any other
    // way of closing it (also when the parent goes away meanwhile).
    static int showTip(const QString& qstrIconPath, const QString& qstrText, const QString& qstrOkText,
                       const QString& qstrCancelText, bool bShowCancel, QWidget* parent);

    // Test seam, for headless tests only. Each queued answer (1 OK, 0 not)
    // answers one later showTip() without showing anything; every showTip()
    // is recorded.
    struct Request
    {
        QString iconPath;
        QString text;
        QString okText;
        QString cancelText;
        bool showCancel = false;
        QPointer<QWidget> parent;
    };
    static void setNextAnswerForTesting(int iAnswer);
    static Request lastRequestForTesting();
    static int requestCountForTesting();
    static void resetForTesting();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_pIconLabel;
    QLabel* m_pTextLabel;
    QPushButton* m_pOkBtn;
    QPushButton* m_pCancelBtn;
};

} // namespace gearmart
