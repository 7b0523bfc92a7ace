#include "quillkit/secondcommandbutton.h"

namespace quillkit {

CSecondCommandButton::CSecondCommandButton(QWidget* parent) : CSecondCommandButton(QString(), parent) {}

CSecondCommandButton::CSecondCommandButton(const QString& strText, QWidget* parent)
    : QPushButton(strText, parent)
{
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(88, 32);
}

} // namespace quillkit
