#include "uninstallcompletedpage.h"

#include "quillkit/commandbutton.h"
#include "upperwidget.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QVariant>

namespace appinstaller {

UnInstallCompletedPage::UnInstallCompletedPage(QWidget* parent) : QWidget(parent)
{
    resize(720, 480);
    setWindowTitle(QCoreApplication::translate("UnInstallCompletedUI", "MainWindowUI"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_pUpperWidget = new UpperWidget(this);
    m_pUpperWidget->setObjectName(QStringLiteral("m_pUpperWidget"));
    m_pUpperWidget->setFixedHeight(320);
    layout->addWidget(m_pUpperWidget);

    m_pBottomWidget = new QWidget(this);
    m_pBottomWidget->setObjectName(QStringLiteral("m_pBottomWidget"));
    m_pBottomWidget->setAttribute(Qt::WA_StyledBackground, true);
    m_pBottomWidget->setFixedHeight(160);
    layout->addWidget(m_pBottomWidget);

    auto* grid = new QGridLayout(m_pBottomWidget);
    grid->setContentsMargins(36, 32, 36, 24);
    grid->setHorizontalSpacing(12);

    m_pIconToolBtn = new QPushButton(m_pBottomWidget);
    m_pIconToolBtn->setObjectName(QStringLiteral("m_pIconToolBtn"));
    m_pIconToolBtn->setFixedSize(32, 32);
    m_pIconToolBtn->setIconSize(QSize(32, 32));
    m_pIconToolBtn->setFocusPolicy(Qt::NoFocus);
    m_pIconToolBtn->setAccessibleName(tr("Result"));
    grid->addWidget(m_pIconToolBtn, 0, 0);

    m_pInstallInfoLabel =
        new QLabel(QCoreApplication::translate("UnInstallCompletedUI", "Uninstalled"), m_pBottomWidget);
    m_pInstallInfoLabel->setObjectName(QStringLiteral("m_pInstallInfoLabel"));
    m_pInstallInfoLabel->setAccessibleName(m_pInstallInfoLabel->text());
    grid->addWidget(m_pInstallInfoLabel, 0, 1);
    grid->setColumnStretch(1, 1);

    m_pLeftReasonLabel = new QLabel(m_pBottomWidget);
    m_pLeftReasonLabel->setObjectName(QStringLiteral("m_pLeftReasonLabel"));
    m_pLeftReasonLabel->setWordWrap(true);
    m_pLeftReasonLabel->hide();
    grid->addWidget(m_pLeftReasonLabel, 1, 1, 1, 2);

    m_pKeptFolderLabel = new QLabel(m_pBottomWidget);
    m_pKeptFolderLabel->setObjectName(QStringLiteral("m_pKeptFolderLabel"));
    m_pKeptFolderLabel->setWordWrap(true);
    m_pKeptFolderLabel->setTextFormat(Qt::PlainText);
    m_pKeptFolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pKeptFolderLabel->setAccessibleName(tr("Folder left in place"));
    m_pKeptFolderLabel->hide();
    grid->addWidget(m_pKeptFolderLabel, 2, 1);

    m_pCompletedBtn = new quillkit::CCommandButton(
        QCoreApplication::translate("UnInstallCompletedUI", "Completed"), m_pBottomWidget);
    m_pCompletedBtn->setObjectName(QStringLiteral("m_pCompletedBtn"));
    m_pCompletedBtn->setMinimumSize(88, 32);
    m_pCompletedBtn->setAccessibleName(m_pCompletedBtn->text());
    grid->addWidget(m_pCompletedBtn, 2, 2, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(2, 1);

    connect(m_pCompletedBtn, &QPushButton::clicked, this, &UnInstallCompletedPage::onCompletedBtnClicked);
    connect(m_pUpperWidget, &UpperWidget::signalClose, this, &UnInstallCompletedPage::signalClose);
}

void UnInstallCompletedPage::setReport(const RemovalReport& report)
{
    QString reason;
    switch (report.left) {
    case RemovalReport::Left::Nothing:
        break;
    case RemovalReport::Left::AddedFiles:
        reason = tr("LeftFilesAddedLaterTzQmWe");
        break;
    case RemovalReport::Left::NotRemovable:
        reason = tr("LeftFilesNotRemovableHxPvKa");
        break;
    case RemovalReport::Left::NotRecognised:
        reason = tr("LeftFolderNotRecognisedJcRsNo");
        break;
    case RemovalReport::Left::ManifestUnreadable:
        reason = tr("LeftManifestUnreadableUwBdYf");
        break;
    }
    const bool kept = report.left != RemovalReport::Left::Nothing;
    m_pInstallInfoLabel->setText(kept ? tr("UninstalledFolderKeptRqWbNx")
                                      : QCoreApplication::translate("UnInstallCompletedUI", "Uninstalled"));
    m_pInstallInfoLabel->setAccessibleName(m_pInstallInfoLabel->text());
    m_pLeftReasonLabel->setText(reason);
    m_pLeftReasonLabel->setVisible(kept);
    m_pKeptFolderLabel->setText(kept ? report.folder : QString());
    m_pKeptFolderLabel->setVisible(kept);
    // The style sheet switches the picture and colour on this property.
    for (QWidget* widget :
         {static_cast<QWidget*>(m_pIconToolBtn), static_cast<QWidget*>(m_pInstallInfoLabel)}) {
        widget->setProperty("kept", QVariant(kept));
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
    }
}

void UnInstallCompletedPage::onCompletedBtnClicked()
{
    emit signalClose();
}

} // namespace appinstaller
