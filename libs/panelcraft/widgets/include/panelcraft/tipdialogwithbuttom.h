#pragma once

#include "panelcraft/basedialog.h"

#include <QPointer>

class QLabel;

namespace crestui {

// A warning box: title, icon, wrapped text and a single OK button.
class TipDialogWithButtom : public BaseDialog
{
    Q_OBJECT

public:
    // An empty or unreadable qstrIconPath shows a drawn warning sign.
    TipDialogWithButtom(const QString& qstrTitle, const QString& qstrText,
                        const QString& qstrIconPath = QString(), QWidget* parent = nullptr);

    QLabel* iconLabel() const { return m_pIconLabel; }
    QLabel* textLabel() const { return m_pTextLabel; }

    // Shows the box modally; 1 when OK was pressed, 0 when it was closed
    // otherwise (also when the parent goes away meanwhile). An empty title
    // reads "Warning".
    static int showWarnMessageInfo(const QString& qstrTitle, const QString& qstrText,
                                   QWidget* parent = nullptr, const QString& qstrIconPath = QString());

    // Test seam: what the last showWarnMessageInfo() asked. Answer it with
    // BaseDialog::setNextAnswerForTesting().
    struct Warning
    {
        QString title;
        QString text;
        QString iconPath;
        QPointer<QWidget> parent;
    };
    static Warning lastWarningForTesting();

private:
    QLabel* m_pIconLabel;
    QLabel* m_pTextLabel;
};

} // namespace crestui
