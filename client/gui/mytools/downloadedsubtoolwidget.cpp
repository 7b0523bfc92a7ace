#include "mytools/downloadedsubtoolwidget.h"

#include "common/picturecache.h"
#include "common/signingate.h"
#include "common/toolactionparts.h"
#include "common/transferprogresshub.h"
#include "common/transferprogresslabel.h"
#include "config/configmanager.h"
#include "log/logging.h"
#include "panelcraft/independentwindow.h"
#include "system/systemutils.h"
#include "tooldata/tooldatamanager.h"
#include "widgets/progressbar.h"
#include "widgets/resizelabel.h"
#include "widgets/tipdialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOption>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

namespace gearmart {

namespace {

const QString kNoticeIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/notice.png");
const QString kSuccessIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/sucesse.png");
const QString kErrorIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/error.png");
const QString kShadowPicture = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/shadow_bg.png");
const QColor kUpdatingColor(QStringLiteral("#3BCD8D"));
const QColor kFailedColor(QStringLiteral("#FA3239"));
constexpr int kWaitingValue = 120;

void registerMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<ToolCurrentState>();
        qRegisterMetaType<ToolCurrentState>("ToolCurrentState");
        qRegisterMetaType<UpdateState>();
        qRegisterMetaType<UpdateState>("UpdateState");
        qRegisterMetaType<QMap<int, QString>>("QMap<int,QString>");
        qRegisterMetaType<QVector<int>>("QVector<int>");
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace

using toolaction::makeButton;

DownloadedSubToolWidget::DownloadedSubToolWidget(QWidget* parent) : QWidget(parent)
{
    registerMetaTypes();
    m_shadow = QPixmap(kShadowPicture);
    buildForm();
    buildActions();
    m_pPollTimer = new QTimer(this);
    m_pPollTimer->setInterval(kDefaultPollInterval);
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
    setStyleSheet(QStringLiteral("QWidget#DownloadedSubToolWidget{background-color: #ffffff;}       "
                                 "QWidget#DownloadedSubToolWidget:hover{background: #F5F5F5;}"));

    auto* layout = new QHBoxLayout(this);
    // Room at the right for the link button centred under "open".
    layout->setContentsMargins(0, 0, 32, 0);
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

    auto* infoColumn = new QVBoxLayout;
    infoColumn->setContentsMargins(0, 16, 0, 0);
    infoColumn->setSpacing(4);
    toolNameLabel = new QWidget(this);
    toolNameLabel->setObjectName(QStringLiteral("toolNameLabel"));
    toolNameLabel->setFixedSize(154, 22);
    m_toolNameLabel = new ResizeLabel(toolNameLabel);
    m_toolNameLabel->setObjectName(QStringLiteral("m_toolNameLabel"));
    m_toolNameLabel->setFixedWidth(154);
    m_toolNameLabel->setMinimumHeight(22);
    m_toolNameLabel->setWordWrap(true);
    m_toolNameLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_toolNameLabel->resize(154, 22);
    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("m_versionLabel"));
    m_versionLabel->setMinimumSize(84, 16);
    m_versionLabel->setFixedHeight(16);
    m_dateLabel = new QLabel(this);
    m_dateLabel->setObjectName(QStringLiteral("m_dateLabel"));
    m_dateLabel->setMinimumSize(153, 16);
    m_dateLabel->setFixedHeight(16);
    infoColumn->addWidget(toolNameLabel);
    infoColumn->addWidget(m_versionLabel);
    infoColumn->addWidget(m_dateLabel);
    infoColumn->addStretch(1);
    layout->addLayout(infoColumn);
    layout->addSpacing(40);

    auto* notesColumn = new QVBoxLayout;
    notesColumn->setContentsMargins(0, 18, 0, 0);
    upgradeInfoLabel = new QWidget(this);
    upgradeInfoLabel->setObjectName(QStringLiteral("upgradeInfoLabel"));
    upgradeInfoLabel->setMinimumSize(100, 60);
    upgradeInfoLabel->setFixedSize(404, 60);
    m_upgradeInfoLabel = new ResizeLabel(upgradeInfoLabel);
    m_upgradeInfoLabel->setObjectName(QStringLiteral("m_upgradeInfoLabel"));
    m_upgradeInfoLabel->setFixedWidth(404);
    m_upgradeInfoLabel->setMinimumHeight(60);
    m_upgradeInfoLabel->setWordWrap(true);
    m_upgradeInfoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_upgradeInfoLabel->resize(404, 60);
    notesColumn->addWidget(upgradeInfoLabel);
    notesColumn->addStretch(1);
    layout->addLayout(notesColumn);
    layout->addStretch(1);

    auto* actionColumn = new QVBoxLayout;
    m_pActionColumn = actionColumn;
    actionColumn->setContentsMargins(0, 24, 0, 0);
    auto* actionRow = new QHBoxLayout;
    actionRow->setContentsMargins(0, 0, 0, 0);
    actionRow->setSpacing(4);
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
    actionColumn->addStretch(1);
    layout->addLayout(actionColumn);

    // Outside the layout: it sits under the open button at the row's foot.
    quickLinkBtn = new QPushButton(this);
    quickLinkBtn->setObjectName(QStringLiteral("quickLinkBtn"));
    quickLinkBtn->setFixedWidth(150);
    quickLinkBtn->setMinimumWidth(150);
    quickLinkBtn->setCursor(Qt::PointingHandCursor);
    QFont linkFont = quickLinkBtn->font();
    linkFont.setPixelSize(12);
    quickLinkBtn->setFont(linkFont);

    m_upgradeBtn->setText(tr("Upgrade"));
    m_openBtn->setText(tr("open"));
    quickLinkBtn->setText(tr("Creat Quick Link"));
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
    connect(m_pPollTimer, &QTimer::timeout, this, &DownloadedSubToolWidget::onTimeout);
    connect(m_checkBox, &QCheckBox::stateChanged, this, &DownloadedSubToolWidget::signalCheckBoxStateChanged);
    connect(m_toolNameLabel, &ResizeLabel::signalResized, this, &DownloadedSubToolWidget::onNameResized);
    connect(m_upgradeInfoLabel, &ResizeLabel::signalResized, this, &DownloadedSubToolWidget::onNotesResized);
}

void DownloadedSubToolWidget::setUpdateListMode(bool bUpdateList)
{
    m_bUpdateListMode = bUpdateList;
    m_openBtnFrame->setVisible(!bUpdateList);
    quickLinkBtn->setVisible(!bUpdateList);
    // The update list keeps no order of its own and deletes nothing.
    for (QAction* action : {m_pMoveUpAction, m_pMoveDownAction, m_pDeleteAction})
        action->setEnabled(!bUpdateList);
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
    m_toolNameLabel->resize(154, qMax(22, m_toolNameLabel->heightForWidth(154)));

    const bool bNeedsUpdate = data->toolStates().value(m_iToolKey).IsNeedUpdate == 1;
    if (bNeedsUpdate) {
        m_upgradeInfoLabel->setText(
            QStringLiteral("<html><head/><body><p style='line-height:20px'>%1</p></body></html>")
                .arg(data->updateIntro(m_iToolKey).toHtmlEscaped()));
        m_upgradeInfoLabel->resize(404, qMax(60, m_upgradeInfoLabel->heightForWidth(404)));
    } else {
        m_upgradeInfoLabel->setText(QString());
    }
    m_versionLabel->setText(tr("Version: V") + info.Version);
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
    m_upgradeBtn->setAccessibleName(tr("Upgrade %1").arg(m_qstrName));
    m_openBtn->setAccessibleName(tr("Open %1").arg(m_qstrName));
    quickLinkBtn->setAccessibleName(tr("Create desktop link for %1").arg(m_qstrName));
    m_cancelUpgradeBtn->setAccessibleName(tr("Cancel upgrade of %1").arg(m_qstrName));
    m_reupdateBtn->setAccessibleName(tr("Retry upgrade of %1").arg(m_qstrName));
    m_upgradeProgressBar->setAccessibleName(tr("Upgrade progress of %1").arg(m_qstrName));
    if (!m_pTransferLabel || m_pTransferLabel->toolKey() != m_iToolKey) {
        delete m_pTransferLabel;
        m_pTransferLabel = new TransferProgressLabel(m_iToolKey, this);
        m_pTransferLabel->setObjectName(QStringLiteral("transferLabel"));
        m_pTransferLabel->setFixedHeight(16);
        m_pActionColumn->insertWidget(m_pActionColumn->indexOf(m_pActionColumn->itemAt(0)->layout()) + 1,
                                      m_pTransferLabel);
    }
    m_pTransferLabel->setAccessibleName(tr("Transfer progress of %1").arg(m_qstrName));
    m_checkBox->setAccessibleName(tr("Select %1").arg(m_qstrName));
    m_pMoveUpAction->setText(tr("Move %1 up").arg(m_qstrName));
    m_pMoveDownAction->setText(tr("Move %1 down").arg(m_qstrName));
    m_pDeleteAction->setText(tr("Delete %1").arg(m_qstrName));

    setUpdateState(bNeedsUpdate ? UpdateStateAvailable : UpdateStateUpToDate);
}

bool DownloadedSubToolWidget::isPolling() const
{
    return m_pPollTimer->isActive();
}

void DownloadedSubToolWidget::setPollInterval(int iMilliseconds)
{
    m_pPollTimer->setInterval(iMilliseconds);
}

void DownloadedSubToolWidget::setUpdateState(UpdateState emState)
{
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
    switch (emState) {
    case UpdateStateUpToDate:
        m_upgradeInfoLabel->setText(QString());
        m_upgradeInfoLabel->resize(404, 60);
        resize(width(), qMax(kBaseHeight, m_toolNameLabel->height() + 74));
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
}

QString DownloadedSubToolWidget::failureMessage(int iCode)
{
    switch (iCode) {
    case 110:
        return tr("connect to network timeout.");
    case 140:
        return tr("network initial failed.");
    case 400:
        return tr("save failed.");
    case 404:
        return tr("File not found.");
    case -1:
        return tr("connect to network failed.");
    default:
        return tr("network anomaly");
    }
}

void DownloadedSubToolWidget::fail(int iCode)
{
    m_pPollTimer->stop();
    m_upgradeProgressBar->setText(tr("download fail"));
    m_upgradeProgressBar->setToolTip(
        iCode == -1 ? TransferProgressHub::instance()->failureText(m_iToolKey, failureMessage(iCode))
                    : failureMessage(iCode));
    setUpdateState(UpdateStateFailed);
}

void DownloadedSubToolWidget::completeUpgrade()
{
    m_pPollTimer->stop();
    // The installed version is now the catalog's; the next start must not
    // offer the same upgrade again.
    ToolDataManager* data = ToolDataManager::instance();
    ToolState& state = data->toolStates()[m_iToolKey];
    state.ToolKey = m_iToolKey;
    state.IsDownload = 1;
    state.IsNeedUpdate = 0;
    data->setCurrentVersion(m_iToolKey, m_toolInfo.Version);
    setUpdateState(UpdateStateUpToDate);
    emit signalResized(size());
    emit signalUpgradeCompleted(m_iToolKey);
}

void DownloadedSubToolWidget::onSolveServerResponse(int method, QMap<int, QString> toolkeyToServerValue)
{
    const auto it = toolkeyToServerValue.constFind(m_iToolKey);
    if (m_iToolKey < 0 || it == toolkeyToServerValue.cend())
        return;
    const int iValue = toolaction::readServerValue(it.value());
    switch (method) {
    case 3:
        if (iValue == 0) {
            setUpdateState(UpdateStateUpdating);
            m_pPollTimer->start();
        } else if (iValue == kWaitingValue) {
            // The request layer starts it later; its acceptance restarts the polls.
            m_pPollTimer->stop();
            setUpdateState(UpdateStateWaiting);
        } else {
            fail(iValue);
        }
        break;
    case 4:
        // Late progress after a cancel or a failure is no news for this row.
        if (m_emUpdateState != UpdateStateUpdating && m_emUpdateState != UpdateStateWaiting)
            return;
        if (iValue >= 0 && iValue <= 100) {
            if (m_emUpdateState == UpdateStateWaiting)
                setUpdateState(UpdateStateUpdating);
            m_upgradeProgressBar->setValue(iValue);
        } else if (iValue == 200) {
            completeUpgrade();
        } else if (iValue == kWaitingValue) {
            // Still queued behind other downloads: not a failure.
            m_pPollTimer->stop();
            setUpdateState(UpdateStateWaiting);
        } else {
            fail(iValue);
        }
        break;
    case 5:
        if (iValue == 0) {
            m_pPollTimer->stop();
            setUpdateState(UpdateStateAvailable);
        }
        break;
    default:
        break;
    }
}

void DownloadedSubToolWidget::onToolStateChanged(ToolCurrentState emState, int iKey)
{
    if (iKey != m_iToolKey)
        return;
    switch (emState) {
    case ToolDownloadRequested:
    case ToolDownloading:
        setUpdateState(UpdateStateUpdating);
        break;
    case ToolDownloaded:
        // Another page may see the final answer first and relay it before
        // this row gets the answer itself: that is this row's completion.
        if (m_emUpdateState != UpdateStateUpToDate)
            completeUpgrade();
        else
            m_pPollTimer->stop();
        break;
    case ToolCancelled:
        m_pPollTimer->stop();
        setUpdateState(ToolDataManager::instance()->toolStates().value(m_iToolKey).IsNeedUpdate == 1
                           ? UpdateStateAvailable
                           : UpdateStateUpToDate);
        break;
    case ToolDeleted:
    case ToolStateNone:
        break;
    }
}

void DownloadedSubToolWidget::onSetUpdatedRate(int iKey, int iRate)
{
    if (iKey != m_iToolKey)
        return;
    if (iRate < 0)
        setUpdateState(UpdateStateFailed);
    else
        m_upgradeProgressBar->setValue(qMin(iRate, 100));
}

void DownloadedSubToolWidget::onSetUpdateState(int iKey, UpdateState emState)
{
    if (iKey == m_iToolKey)
        setUpdateState(emState);
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

void DownloadedSubToolWidget::onWaitingToolsStartDownload(int iToolkey)
{
    if (iToolkey != m_iToolKey)
        return;
    setUpdateState(UpdateStateUpdating);
    m_upgradeProgressBar->repaint();
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
    setUpdateState(UpdateStateUpdating);
    m_upgradeProgressBar->setValue(0);
    emit signalUpdateTool(m_iToolKey);
}

void DownloadedSubToolWidget::onCancelUpdateBtnClicked()
{
    // Polls stop with the cancel: a progress answer racing the cancel's own
    // answer must not turn the row to a failure.
    m_pPollTimer->stop();
    setUpdateState(UpdateStateAvailable);
    m_upgradeProgressBar->setValue(0);
    emit signalCancelUpdateTool(m_iToolKey);
}

void DownloadedSubToolWidget::onReupdateBtnClicked()
{
    setUpdateState(UpdateStateUpdating);
    m_upgradeProgressBar->setValue(0);
    emit signalReupdateTool(m_iToolKey);
}

void DownloadedSubToolWidget::onTimeout()
{
    emit signalRequestDownloadRate(m_iToolKey);
}

void DownloadedSubToolWidget::onCreateQuickLink()
{
    if (!ToolLauncher::executableExists(m_iToolKey)) {
        qCDebug(lcPages) << "Exe not exist";
        return;
    }
    const bool bCreated = ToolLauncher::createDesktopShortcut(m_iToolKey);
    showNotice(bCreated ? kSuccessIcon : kErrorIcon,
               bCreated ? tr("Quick link successfully created to desktop.") : tr("Quick link create failed."),
               tr("Comfirm"), crestui::GetIndependentWindow(this));
}

bool DownloadedSubToolWidget::isOnInteractiveChild(const QPoint& point) const
{
    const QList<QWidget*> controls{m_openBtn,     m_upgradeBtn, m_cancelUpgradeBtn,
                                   m_reupdateBtn, m_checkBox,   quickLinkBtn};
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

void DownloadedSubToolWidget::onNameResized(QSize size)
{
    m_toolNameLabel->move(0, 0);
    toolNameLabel->setFixedHeight(size.height());
    growTo(size.height() + 74);
}

void DownloadedSubToolWidget::onNotesResized(QSize size)
{
    m_upgradeInfoLabel->move(0, 0);
    upgradeInfoLabel->setFixedSize(size);
    growTo(size.height() + 36);
}

void DownloadedSubToolWidget::growTo(int iHeight)
{
    if (height() < iHeight)
        resize(width(), iHeight);
}

void DownloadedSubToolWidget::placeQuickLink()
{
    const int x = m_openBtnFrame->x() + m_openBtn->x() - qAbs(quickLinkBtn->width() - m_openBtn->width()) / 2;
    quickLinkBtn->move(x, height() - quickLinkBtn->height() - 5);
}

void DownloadedSubToolWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeQuickLink();
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
