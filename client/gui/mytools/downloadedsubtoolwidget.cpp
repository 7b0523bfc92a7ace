#include "mytools/downloadedsubtoolwidget.h"

#include "common/installedtoolactions.h"
#include "common/picturecache.h"
#include "common/signingate.h"
#include "common/toolactionparts.h"
#include "common/transferprogresslabel.h"
#include "config/configmanager.h"
#include "log/logging.h"
#include "panelcraft/independentwindow.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "transfer/transferfailure.h"
#include "widgets/focusring.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QAction>
#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyleOption>
#include <QVBoxLayout>

namespace gearmart {

namespace {

const QString kShadowPicture = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/shadow_bg.png");
const QColor kUpdatingColor(QStringLiteral("#3BCD8D"));
const QColor kFailedColor(QStringLiteral("#FA3239"));

} // namespace

using toolaction::makeButton;

DownloadedSubToolWidget::DownloadedSubToolWidget(ToolTransfer* transfers, QWidget* parent)
    : QWidget(parent), m_pTransfers(transfers)
{
    m_shadow = QPixmap(kShadowPicture);
    buildForm();
    buildActions();
    connectSignals();
    setUpdateState(UpdateStateUpToDate);
}

void DownloadedSubToolWidget::setFreeSpaceFunctionForTesting(std::function<double(const QString&)> function)
{
    toolaction::setFreeSpaceFunction(std::move(function));
}

void DownloadedSubToolWidget::buildForm()
{
    setObjectName(QStringLiteral("DownloadedSubToolWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    setMinimumSize(kMinWidth, kBaseHeight);
    resize(kMinWidth, kBaseHeight);
    // Tab reaches the row itself, where the move and delete keys work.
    setFocusPolicy(Qt::StrongFocus);
    setProperty(FocusRing::kOwnRing, true);
    setStyleSheet(QStringLiteral("QWidget#DownloadedSubToolWidget{background-color: #ffffff;}       "
                                 "QWidget#DownloadedSubToolWidget:hover{background: #F5F5F5;}"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 24, 0);
    layout->setSpacing(0);

    m_checkWidget = new QWidget(this);
    m_checkWidget->setObjectName(QStringLiteral("m_checkWidget"));
    m_checkWidget->setFixedWidth(36);
    auto* checkLayout = new QVBoxLayout(m_checkWidget);
    checkLayout->setContentsMargins(14, 41, 8, 0);
    m_checkBox = new QCheckBox(m_checkWidget);
    m_checkBox->setObjectName(QStringLiteral("m_checkBox"));
    m_checkBox->setFixedSize(14, 14);
    checkLayout->addWidget(m_checkBox, 0, Qt::AlignTop);
    checkLayout->addStretch(1);
    m_checkWidget->hide();
    layout->addWidget(m_checkWidget);
    layout->addSpacing(24);

    auto* iconColumn = new QVBoxLayout;
    iconColumn->setContentsMargins(0, 24, 0, 0);
    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("m_iconLabel"));
    m_iconLabel->setFixedSize(48, 48);
    m_iconLabel->setAlignment(Qt::AlignCenter);
    iconColumn->addWidget(m_iconLabel);
    iconColumn->addStretch(1);
    layout->addLayout(iconColumn);
    layout->addSpacing(16);

    // Texts and buttons above, the tool's facts and its file actions below;
    // both share out the width the row is given.
    auto* body = new QVBoxLayout;
    body->setContentsMargins(0, 16, 0, 8);
    body->setSpacing(8);
    layout->addLayout(body, 1);
    auto* upper = new QHBoxLayout;
    upper->setSpacing(24);
    body->addLayout(upper, 1);

    // Straight in the row's layout: a widget between would answer the
    // height for a width from before its texts changed.
    auto* infoColumn = new QVBoxLayout;
    infoColumn->setSpacing(4);
    m_toolNameLabel = new QLabel(this);
    m_toolNameLabel->setObjectName(QStringLiteral("m_toolNameLabel"));
    m_toolNameLabel->setMinimumSize(200, 22);
    m_toolNameLabel->setWordWrap(true);
    m_toolNameLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("m_versionLabel"));
    m_versionLabel->setMinimumHeight(16);
    m_versionLabel->setWordWrap(true);
    m_dateLabel = new QLabel(this);
    m_dateLabel->setObjectName(QStringLiteral("m_dateLabel"));
    m_dateLabel->setMinimumHeight(16);
    infoColumn->addWidget(m_toolNameLabel);
    infoColumn->addWidget(m_versionLabel);
    infoColumn->addWidget(m_dateLabel);
    infoColumn->addStretch(1);
    upper->addLayout(infoColumn, 1);

    auto* notesColumn = new QVBoxLayout;
    notesColumn->setContentsMargins(0, 2, 0, 0);
    m_upgradeInfoLabel = new QLabel(this);
    m_upgradeInfoLabel->setObjectName(QStringLiteral("m_upgradeInfoLabel"));
    m_upgradeInfoLabel->setMinimumWidth(180);
    m_upgradeInfoLabel->setWordWrap(true);
    m_upgradeInfoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    notesColumn->addWidget(m_upgradeInfoLabel);
    notesColumn->addStretch(1);
    upper->addLayout(notesColumn, 1);

    auto* actionColumn = new QVBoxLayout;
    actionColumn->setContentsMargins(0, 8, 0, 0);
    auto* actionRow = new QHBoxLayout;
    actionRow->setContentsMargins(0, 0, 0, 0);
    actionRow->setSpacing(4);
    actionRow->addStretch(1);
    m_upgradeBtn = makeButton(this, "m_upgradeBtn", QSize(96, 32));
    m_openBtnFrame = new QWidget(this);
    m_openBtnFrame->setObjectName(QStringLiteral("m_openBtnFrame"));
    m_openBtnFrame->setMinimumWidth(110);
    auto* openLayout = new QHBoxLayout(m_openBtnFrame);
    openLayout->setContentsMargins(14, 0, 0, 0);
    m_openBtn = makeButton(m_openBtnFrame, "m_openBtn", QSize(96, 32));
    openLayout->addWidget(m_openBtn);
    m_upgradeProgressBar = new ProgressBar(this);
    m_upgradeProgressBar->setObjectName(QStringLiteral("m_upgradeProgressBar"));
    m_upgradeProgressBar->setFixedSize(172, 14);
    m_upgradeProgressBar->setRange(0, 100);
    m_reupdateBtn = makeButton(this, "m_reupdateBtn", QSize(24, 24));
    m_cancelUpgradeBtn = makeButton(this, "m_cancelUpgradeBtn", QSize(24, 24));
    actionRow->addWidget(m_upgradeBtn, 0, Qt::AlignVCenter);
    actionRow->addWidget(m_openBtnFrame, 0, Qt::AlignVCenter);
    actionRow->addWidget(m_upgradeProgressBar, 0, Qt::AlignVCenter);
    actionRow->addWidget(m_reupdateBtn, 0, Qt::AlignVCenter);
    actionRow->addWidget(m_cancelUpgradeBtn, 0, Qt::AlignVCenter);
    actionColumn->addLayout(actionRow);
    // As wide as its widest look (the bar with its two buttons), so that the
    // texts of all rows start and wrap alike whatever each row shows.
    actionColumn->addItem(new QSpacerItem(172 + 2 * (4 + 24), 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
    m_pTransferLabel = new TransferProgressLabel(this);
    m_pTransferLabel->setFixedHeight(16);
    actionColumn->addWidget(m_pTransferLabel);
    actionColumn->addStretch(1);
    upper->addLayout(actionColumn);

    auto* lower = new QHBoxLayout;
    lower->setSpacing(16);
    body->addLayout(lower);
    m_factsLabel = new QLabel(this);
    m_factsLabel->setObjectName(QStringLiteral("m_factsLabel"));
    m_factsLabel->setMinimumHeight(24);
    lower->addWidget(m_factsLabel, 0, Qt::AlignVCenter);
    // Quiet text buttons, like the desktop link: the file actions are rare.
    auto textButton = [this, lower](const char* name) {
        auto* button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        button->setFixedHeight(24);
        button->setCursor(Qt::PointingHandCursor);
        QFont font = button->font();
        font.setPixelSize(12);
        button->setFont(font);
        lower->addWidget(button, 0, Qt::AlignVCenter);
        return button;
    };
    m_showFolderBtn = textButton("m_showFolderBtn");
    m_rollbackBtn = textButton("m_rollbackBtn");
    m_skipBtn = textButton("m_skipBtn");
    lower->addStretch(1);
    quickLinkBtn = textButton("quickLinkBtn");
    quickLinkBtn->setFixedWidth(150);

    m_upgradeBtn->setText(tr("Upgrade"));
    m_openBtn->setText(tr("open"));
    quickLinkBtn->setText(tr("Creat Quick Link"));
    m_showFolderBtn->setText(tr("Show in folder"));
    m_skipBtn->setText(tr("Skip this version"));
    m_reupdateBtn->setToolTip(tr("Retry upgrade"));
    m_cancelUpgradeBtn->setToolTip(tr("Cancel upgrade"));
    m_upgradeProgressBar->setTextVisible(true);
}

void DownloadedSubToolWidget::buildActions()
{
    m_pMoveUpAction = new QAction(tr("Move up"), this);
    m_pMoveUpAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    m_pMoveDownAction = new QAction(tr("Move down"), this);
    m_pMoveDownAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    m_pDeleteAction = new QAction(tr("Delete"), this);
    m_pDeleteAction->setShortcut(QKeySequence(QKeySequence::Delete));
    // The keys themselves are read in keyPressEvent, wherever in the row the
    // focus is; the actions carry them to the context menu.
    for (QAction* action : {m_pMoveUpAction, m_pMoveDownAction, m_pDeleteAction}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        addAction(action);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_pMoveUpAction, &QAction::triggered, this, [this] { emit signalMoveRequested(m_iToolKey, -1); });
    connect(m_pMoveDownAction, &QAction::triggered, this,
            [this] { emit signalMoveRequested(m_iToolKey, 1); });
    connect(m_pDeleteAction, &QAction::triggered, this, [this] { emit signalDeleteRequested(m_iToolKey); });
}

void DownloadedSubToolWidget::connectSignals()
{
    connect(m_openBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onOpenTool);
    connect(m_upgradeBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onUpdateBtnClicked);
    connect(m_cancelUpgradeBtn, &QPushButton::clicked, this,
            &DownloadedSubToolWidget::onCancelUpdateBtnClicked);
    connect(m_reupdateBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onReupdateBtnClicked);
    connect(quickLinkBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onCreateQuickLink);
    connect(m_showFolderBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onShowInFolder);
    connect(m_rollbackBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onRollBack);
    connect(m_skipBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onSkipVersion);
    connect(m_pTransfers, &ToolTransfer::signalTransfersChanged, this,
            &DownloadedSubToolWidget::onTransfersChanged);
    connect(InstalledTools::instance(), &InstalledTools::signalFactsChanged, this,
            &DownloadedSubToolWidget::onToolChanged);
    connect(InstalledTools::instance(), &InstalledTools::signalOffersChanged, this,
            &DownloadedSubToolWidget::onToolChanged);
    connect(m_checkBox, &QCheckBox::stateChanged, this, &DownloadedSubToolWidget::signalCheckBoxStateChanged);
}

void DownloadedSubToolWidget::setUpdateListMode(bool bUpdateList)
{
    m_bUpdateListMode = bUpdateList;
    m_openBtnFrame->setVisible(!bUpdateList);
    quickLinkBtn->setVisible(!bUpdateList);
    m_showFolderBtn->setVisible(!bUpdateList);
    // The update list keeps no order of its own and deletes nothing.
    for (QAction* action : {m_pMoveUpAction, m_pMoveDownAction, m_pDeleteAction})
        action->setEnabled(!bUpdateList);
    m_bStateShown = false;
    setUpdateState(m_emUpdateState);
}

void DownloadedSubToolWidget::initialise(const ToolInfo& info)
{
    ToolDataManager* data = ToolDataManager::instance();
    m_toolInfo = info;
    m_iToolKey = info.ToolKey;
    m_qstrName = data->toolName(m_iToolKey);

    const QString iconPath = data->baseDirectory() + QStringLiteral("/ToolsFile/Icon/") + info.IconMinName;
    m_iconLabel->setPixmap(
        PictureCache::instance().scaledToHeight(iconPath, 48, PictureCache::Placeholder::Icon));

    m_toolNameLabel->setText(
        QStringLiteral("<html><head/><body><p style='line-height:22px'>%1</p></body></html>")
            .arg(m_qstrName.toHtmlEscaped()));
    m_dateLabel->setText(tr("Release date: ") + info.updateDate);

    setAccessibleName(m_qstrName);
    setAccessibleDescription(m_bUpdateListMode
                                 ? tr("Updateable tool")
                                 : tr("Installed tool. Alt+Up and Alt+Down move it, Delete removes it"));
    m_iconLabel->setAccessibleName(tr("%1 icon").arg(m_qstrName));
    m_toolNameLabel->setAccessibleName(tr("Name"));
    m_versionLabel->setAccessibleName(tr("Version"));
    m_dateLabel->setAccessibleName(tr("Release date"));
    m_upgradeInfoLabel->setAccessibleName(tr("Update notes"));
    m_factsLabel->setAccessibleName(tr("Size and install date"));
    m_upgradeBtn->setAccessibleName(tr("Upgrade %1").arg(m_qstrName));
    m_openBtn->setAccessibleName(tr("Open %1").arg(m_qstrName));
    quickLinkBtn->setAccessibleName(tr("Create desktop link for %1").arg(m_qstrName));
    m_showFolderBtn->setAccessibleName(tr("Show the folder of %1").arg(m_qstrName));
    m_skipBtn->setAccessibleName(tr("Skip version V%1 of %2").arg(info.Version, m_qstrName));
    m_cancelUpgradeBtn->setAccessibleName(tr("Cancel upgrade of %1").arg(m_qstrName));
    m_reupdateBtn->setAccessibleName(tr("Retry upgrade of %1").arg(m_qstrName));
    m_upgradeProgressBar->setAccessibleName(tr("Upgrade progress of %1").arg(m_qstrName));
    m_pTransferLabel->setAccessibleName(tr("Transfer progress of %1").arg(m_qstrName));
    m_checkBox->setAccessibleName(tr("Select %1").arg(m_qstrName));
    m_pMoveUpAction->setText(tr("Move %1 up").arg(m_qstrName));
    m_pMoveDownAction->setText(tr("Move %1 down").arg(m_qstrName));
    m_pDeleteAction->setText(tr("Delete %1").arg(m_qstrName));

    // The tool's rows show its looks afresh, its height included.
    m_bStateShown = false;
    render();
}

void DownloadedSubToolWidget::showVersions(bool bNeedsUpdate)
{
    QString text = tr("Version: V") + m_toolInfo.Version;
    const QString installed = ToolDataManager::instance()->toolStates().value(m_iToolKey).CurrentVersion;
    // Which version an update replaces is worth knowing before pressing it.
    if (bNeedsUpdate && !installed.isEmpty() && installed != m_toolInfo.Version) {
        text += QLatin1Char(' ') + (installed == InstalledTools::kUnknownVersion
                                        ? tr("(installed: an earlier version)")
                                        : tr("(installed: V%1)").arg(installed));
    }
    m_versionLabel->setText(text);
    m_versionLabel->setToolTip(text);
}

void DownloadedSubToolWidget::showNotes()
{
    ToolDataManager* data = ToolDataManager::instance();
    QString notes;
    if (m_emUpdateState == UpdateStateAvailable || m_emUpdateState == UpdateStateUpdating ||
        m_emUpdateState == UpdateStateWaiting || m_emUpdateState == UpdateStateFailed)
        notes = data->updateIntro(m_iToolKey);
    else if (data->needsUpdate(m_iToolKey) && data->isUpdateSkipped(m_iToolKey))
        notes = tr("The update to V%1 is skipped. The settings can offer it again.").arg(m_toolInfo.Version);
    m_upgradeInfoLabel->setText(
        notes.isEmpty()
            ? QString()
            : QStringLiteral("<html><head/><body><p style='line-height:20px'>%1</p></body></html>")
                  .arg(notes.toHtmlEscaped()));
}

void DownloadedSubToolWidget::showFacts()
{
    if (m_iToolKey < 0)
        return;
    const InstalledTools::Facts facts = InstalledTools::instance()->facts(m_iToolKey);
    const QString text = tr("Size: %1").arg(InstalledToolActions::sizeText(facts.sizeBytes)) +
                         QStringLiteral("    ") +
                         tr("Installed on: %1").arg(InstalledToolActions::dateText(facts.installedAt));
    m_factsLabel->setText(text);
    m_factsLabel->setToolTip(facts.folder);
}

void DownloadedSubToolWidget::showOffers()
{
    const bool bResting = m_emUpdateState == UpdateStateUpToDate || m_emUpdateState == UpdateStateAvailable;
    const InstalledTools::RollbackOffer offer = InstalledTools::instance()->rollbackOffer(m_iToolKey);
    m_rollbackBtn->setText(InstalledToolActions::rollbackText(offer));
    m_rollbackBtn->setAccessibleName(m_rollbackBtn->text() + QStringLiteral(": ") + m_qstrName);
    m_rollbackBtn->setVisible(bResting && offer.available && !m_bUpdateListMode);
    m_skipBtn->setVisible(m_emUpdateState == UpdateStateAvailable);
}

void DownloadedSubToolWidget::fitHeight()
{
    // Resizing lays the row out again, which may call here once more.
    if (m_bFitting || !layout())
        return;
    m_bFitting = true;
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    const int target = qMax(kBaseHeight, needed);
    if (target != height())
        resize(width(), target);
    m_bFitting = false;
}

void DownloadedSubToolWidget::setUpdateState(UpdateState emState)
{
    // The same look again keeps its bar and figures.
    if (emState == m_emUpdateState && m_bStateShown)
        return;
    m_bStateShown = true;
    m_emUpdateState = emState;
    const bool bBar =
        emState == UpdateStateUpdating || emState == UpdateStateFailed || emState == UpdateStateWaiting;
    const bool bRests = emState == UpdateStateUpToDate || emState == UpdateStateAvailable;
    m_upgradeBtn->setVisible(emState == UpdateStateAvailable);
    m_upgradeProgressBar->setVisible(bBar);
    if (m_pTransferLabel) {
        // A new run never shows the figures of the last one.
        m_pTransferLabel->setActive(false);
        m_pTransferLabel->setActive(emState == UpdateStateUpdating);
    }
    m_cancelUpgradeBtn->setVisible(bBar);
    m_reupdateBtn->setVisible(emState == UpdateStateFailed);
    m_openBtnFrame->setVisible(bRests && !m_bUpdateListMode);
    quickLinkBtn->setVisible(bRests && !m_bUpdateListMode);
    m_showFolderBtn->setVisible(bRests && !m_bUpdateListMode);
    showVersions(ToolDataManager::instance()->needsUpdate(m_iToolKey));
    showNotes();
    showOffers();
    switch (emState) {
    case UpdateStateUpToDate:
        break;
    case UpdateStateUpdating:
        m_upgradeProgressBar->setMode(ProgressBar::kPercentMode);
        m_upgradeProgressBar->setChunkColor(kUpdatingColor);
        m_upgradeProgressBar->setToolTip(QString());
        break;
    case UpdateStateFailed:
        m_upgradeProgressBar->setMode(ProgressBar::kFailureMode);
        m_upgradeProgressBar->setChunkColor(kFailedColor);
        break;
    case UpdateStateWaiting:
        m_upgradeProgressBar->setMode(ProgressBar::kWaitingMode);
        m_upgradeProgressBar->setText(tr("Waiting..."));
        m_upgradeProgressBar->setToolTip(QString());
        break;
    case UpdateStateAvailable:
        break;
    }
    fitHeight();
}

void DownloadedSubToolWidget::render()
{
    if (m_iToolKey < 0)
        return;
    const TransferRecord record = m_pTransfers->record(m_iToolKey);
    switch (record.state) {
    case TransferState::Waiting:
        setUpdateState(UpdateStateWaiting);
        break;
    case TransferState::Downloading:
    case TransferState::Unpacking:
        setUpdateState(UpdateStateUpdating);
        m_upgradeProgressBar->setValue(record.percent);
        m_pTransferLabel->showProgress(record.figures);
        break;
    case TransferState::Failed:
        m_upgradeProgressBar->setText(tr("download fail"));
        m_upgradeProgressBar->setToolTip(TransferFailure::text(record, TransferFailure::Wording::Row));
        setUpdateState(UpdateStateFailed);
        break;
    case TransferState::Idle:
    case TransferState::Done:
    case TransferState::Cancelling: {
        const bool bOffered = ToolDataManager::instance()->updateOffered(m_iToolKey);
        setUpdateState(bOffered ? UpdateStateAvailable : UpdateStateUpToDate);
        m_upgradeProgressBar->setValue(0);
        break;
    }
    }
    showFacts();
}

void DownloadedSubToolWidget::onTransfersChanged(QVector<int> toolKeys)
{
    if (toolKeys.contains(m_iToolKey))
        render();
}

void DownloadedSubToolWidget::onToolChanged(int iToolkey)
{
    if (iToolkey != m_iToolKey)
        return;
    // The same look may hold other versions, notes and offers now.
    m_bStateShown = false;
    render();
}

void DownloadedSubToolWidget::onSetCheckBoxVisible(bool bVisible)
{
    m_checkWidget->setVisible(bVisible);
}

void DownloadedSubToolWidget::setChecked(bool bChecked)
{
    m_checkBox->setChecked(bChecked);
}

bool DownloadedSubToolWidget::isChecked() const
{
    return m_checkBox->isChecked();
}

void DownloadedSubToolWidget::showNotice(const QString& qstrIcon, const QString& qstrText,
                                         const QString& qstrOk, QWidget* pParent)
{
    TipDialog::showTip(qstrIcon, qstrText, qstrOk, tr("Cancel"), false, pParent);
}

void DownloadedSubToolWidget::onOpenTool()
{
    if (m_iToolKey < 0)
        return;
    if (ToolLauncher::isRunning(m_iToolKey)) {
        showNotice(kNoticeIcon, m_qstrName + QLatin1Char(' ') + tr("Software already opened."), tr("OK"),
                   nullptr);
        return;
    }
    // Not a child of this row: the row may be deleted while the user signs in.
    QPointer<DownloadedSubToolWidget> self(this);
    SignInGate gate(this);
    connect(&gate, &SignInGate::signalCover, this, &DownloadedSubToolWidget::signalCover);
    if (!gate.pass(m_iToolKey) || !self)
        return;
    m_launcher.launch(m_iToolKey);
}

void DownloadedSubToolWidget::onUpdateBtnClicked()
{
    if (m_iToolKey < 0)
        return;
    QPointer<DownloadedSubToolWidget> self(this);
    if (ToolLauncher::isRunning(m_iToolKey)) {
        showNotice(kNoticeIcon, m_qstrName + QLatin1Char(' ') + tr("Software already opened."), tr("OK"),
                   nullptr);
        return;
    }
    const QString path = ConfigManager::instance()->downloadPath();
    if (path.isEmpty()) {
        emit signalCover(true);
        showNotice(kNoticeIcon, tr("Please set downlaod path at system setting page."), tr("OK"),
                   crestui::GetIndependentWindow(this));
        if (self)
            emit signalCover(false);
        return;
    }
    if (static_cast<double>(m_toolInfo.ToolSize) > toolaction::freeSpaceOf(path) * 1024.0) {
        emit signalCover(true);
        showNotice(kNoticeIcon, tr("Disk free space little than tool Size, please modify download Path."),
                   tr("OK"), nullptr);
        if (self)
            emit signalCover(false);
        return;
    }
    m_pTransfers->downloadTool(m_iToolKey);
}

void DownloadedSubToolWidget::onCancelUpdateBtnClicked()
{
    m_pTransfers->cancel(m_iToolKey);
}

void DownloadedSubToolWidget::onReupdateBtnClicked()
{
    m_pTransfers->downloadTool(m_iToolKey);
}

void DownloadedSubToolWidget::onCreateQuickLink()
{
    if (!ToolLauncher::executableExists(m_iToolKey)) {
        qCDebug(lcPages) << "Exe not exist";
        showNotice(
            kErrorIcon,
            tr("No quick link was made: the program of %1 is missing. Please update or download it again.")
                .arg(m_qstrName),
            tr("Comfirm"), crestui::GetIndependentWindow(this));
        return;
    }
    const bool bCreated = ToolLauncher::createDesktopShortcut(m_iToolKey);
    showNotice(bCreated ? kSuccessIcon : kErrorIcon,
               bCreated ? tr("Quick link successfully created to desktop.") : tr("Quick link create failed."),
               tr("Comfirm"), crestui::GetIndependentWindow(this));
}

void DownloadedSubToolWidget::setCovered(bool bCovered)
{
    emit signalCover(bCovered);
}

void DownloadedSubToolWidget::onShowInFolder()
{
    QPointer<DownloadedSubToolWidget> self(this);
    InstalledToolActions::showInFolder(m_iToolKey, crestui::GetIndependentWindow(this), [self](bool bCover) {
        if (self)
            self->setCovered(bCover);
    });
}

void DownloadedSubToolWidget::onRollBack()
{
    QPointer<DownloadedSubToolWidget> self(this);
    InstalledToolActions::rollBack(m_iToolKey, *m_pTransfers, crestui::GetIndependentWindow(this),
                                   [self](bool bCover) {
                                       if (self)
                                           self->setCovered(bCover);
                                   });
}

void DownloadedSubToolWidget::onSkipVersion()
{
    if (m_iToolKey < 0 || m_pTransfers->record(m_iToolKey).isActive())
        return;
    if (!InstalledTools::instance()->skipUpdate(m_iToolKey))
        qCDebug(lcPages) << "the skip of tool" << m_iToolKey << "holds for this session only";
}

bool DownloadedSubToolWidget::isOnInteractiveChild(const QPoint& point) const
{
    const QList<QWidget*> controls{m_openBtn,       m_upgradeBtn,  m_cancelUpgradeBtn,
                                   m_reupdateBtn,   m_checkBox,    quickLinkBtn,
                                   m_showFolderBtn, m_rollbackBtn, m_skipBtn};
    for (QWidget* control : controls) {
        if (!control->isVisibleTo(this))
            continue;
        const QRect area(control->mapTo(this, QPoint(0, 0)), control->size());
        if (area.contains(point))
            return true;
    }
    return false;
}

void DownloadedSubToolWidget::setDragged(bool bDragged)
{
    if (m_bDragged == bDragged)
        return;
    m_bDragged = bDragged;
    update();
}

void DownloadedSubToolWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A new width wraps the texts anew.
    if (event->oldSize().width() != width())
        fitHeight();
    emit signalResized(size());
}

void DownloadedSubToolWidget::keyPressEvent(QKeyEvent* event)
{
    if (!m_bUpdateListMode) {
        if (event->modifiers() == Qt::AltModifier && event->key() == Qt::Key_Up) {
            m_pMoveUpAction->trigger();
            return;
        }
        if (event->modifiers() == Qt::AltModifier && event->key() == Qt::Key_Down) {
            m_pMoveDownAction->trigger();
            return;
        }
        if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Delete) {
            m_pDeleteAction->trigger();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void DownloadedSubToolWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void DownloadedSubToolWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void DownloadedSubToolWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    const int w = width();
    const int h = height();
    if (m_bDragged && !m_shadow.isNull()) {
        // Nine slices of the shadow picture: 5 px at the sides, 3 on top, 7 below.
        painter.drawPixmap(QRect(5, 0, w - 10, 3), m_shadow, QRect(5, 0, 200, 3));
        painter.drawPixmap(QRect(5, h - 7, w - 10, 7), m_shadow, QRect(5, 136, 200, 7));
        painter.drawPixmap(QRect(0, 3, 5, h - 10), m_shadow, QRect(0, 3, 5, 133));
        painter.drawPixmap(QRect(w - 5, 3, 5, h - 10), m_shadow, QRect(205, 3, 5, 133));
        painter.drawPixmap(QRect(0, 0, 5, 3), m_shadow, QRect(0, 0, 5, 3));
        painter.drawPixmap(QRect(w - 5, 0, 5, 3), m_shadow, QRect(205, 0, 5, 3));
        painter.drawPixmap(QRect(0, h - 7, 5, 7), m_shadow, QRect(0, 136, 5, 7));
        painter.drawPixmap(QRect(w - 5, h - 7, 5, 7), m_shadow, QRect(205, 136, 5, 7));
    } else {
        painter.setPen(QColor(QStringLiteral("#cccccc")));
        painter.drawLine(0, h - 1, w, h - 1);
    }
    if (hasFocus()) {
        // The keyboard user must see which row the move and delete keys act on.
        painter.setPen(QPen(QColor(QStringLiteral("#FA3239")), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(1, 1, w - 2, h - 2));
    }
}

} // namespace gearmart
