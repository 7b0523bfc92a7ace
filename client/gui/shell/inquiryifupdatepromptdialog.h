#pragma once

#include "panelcraft/basedialog.h"

class QLabel;

namespace gearmart {

// Asked once after installation: should new versions be announced?
class InquiryIfUpdatePromptDialog : public crestui::BaseDialog
{
    Q_OBJECT

public:
    explicit InquiryIfUpdatePromptDialog(QWidget* parent = nullptr);

private:
    QLabel* m_pIconLabel;
    QLabel* m_pTextLabel;
};

} // namespace gearmart
