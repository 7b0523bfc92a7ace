#pragma once

#include <QPushButton>

namespace quillkit {

// The secondary push button of Quillkit's look (outlined: cancel, decline).
class CSecondCommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CSecondCommandButton(QWidget* parent = nullptr);
    explicit CSecondCommandButton(const QString& strText, QWidget* parent = nullptr);
};

} // namespace quillkit
