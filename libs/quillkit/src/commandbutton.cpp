#include "quillkit/commandbutton.h"

namespace quillkit {

CCommandButton::CCommandButton(QWidget* parent) : CCommandButton(QString(), parent) {}

CCommandButton::CCommandButton(const QString& strText, QWidget* parent) : QPushButton(strText, parent)
{
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(88, 32);
}

} // namespace quillkit
