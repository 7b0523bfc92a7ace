#pragma once

#include <QPushButton>

namespace quillkit {

// The primary push button of Quillkit's look (filled, the action to take).
class CCommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CCommandButton(QWidget* parent = nullptr);
    explicit CCommandButton(const QString& strText, QWidget* parent = nullptr);
};

} // namespace quillkit
