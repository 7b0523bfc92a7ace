#include "shell/inquiryifupdatepromptdialog.h"

#include "widgets/tipicons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace gearmart {

InquiryIfUpdatePromptDialog::InquiryIfUpdatePromptDialog(QWidget* parent)
    : crestui::BaseDialog(true, true, true, true, true, true, true, parent)
{
    setObjectName(QStringLiteral("InquiryIfUpdatePromptDialog"));
    setFixedSize(434, 265);
    setTitle(tr("Upgrade Detect"));
    setConfirmButtonText(tr("Enable"));
    setCancelButtonText(tr("Disable"));

    QWidget* content = getSetupUiWidget();
    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(12);
    m_pIconLabel = new QLabel(content);
    m_pIconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_pIconLabel->setFixedSize(48, 48);
    m_pIconLabel->setPixmap(QPixmap(kSureIcon));
    m_pIconLabel->setScaledContents(true);
    m_pTextLabel = new QLabel(
        tr("Enable upgrade detection will automatically prompt new relased version, enable it?"), content);
    m_pTextLabel->setObjectName(QStringLiteral("textLabel"));
    m_pTextLabel->setWordWrap(true);
    layout->addWidget(m_pIconLabel, 0, Qt::AlignTop);
    layout->addWidget(m_pTextLabel, 1);
}

} // namespace gearmart
