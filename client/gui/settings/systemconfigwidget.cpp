#include "settings/systemconfigwidget.h"

#include "config/configmanager.h"
#include "installed/installedtools.h"
#include "log/logging.h"
#include "panelcraft/cmiddleswitchbox.h"
#include "settings/folderpicker.h"
#include "settings/userdocuments.h"
#include "tooldata/tooldatamanager.h"
#include "update/versionchecker.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace gearmart {

namespace {
const QString kTipStyle = QStringLiteral("border-image:url(:/Gearmart/Image/Gearmatt/icon/tip.png);");
const QString kFailStyle = QStringLiteral("border-image:url(:/Gearmart/Image/Gearmatt/icon/ic_fauls.png);");

QLabel* makeLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setFixedHeight(32);
    return label;
}

QPushButton* makeButton(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setFixedSize(96, 32);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(text);
    return button;
}

QHBoxLayout* makeRow(QVBoxLayout* parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->setContentsMargins(0, 0, 0, 0);
    parent->addLayout(row);
    return row;
}
} // namespace

SystemConfigWidget::SystemConfigWidget(QWidget* parent)
    : QWidget(parent), m_qstrApplicationDir(QCoreApplication::applicationDirPath())
{
    setObjectName(QStringLiteral("SystemConfigWidget"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setMinimumSize(440, 310);
    setMaximumWidth(454);
    setAccessibleName(tr("Settings"));

    m_pMover = new DownloadFolderMover(this);
    m_pChecker = new VersionChecker(this);
    m_tipTimer.setSingleShot(true);
    m_tipTimer.setInterval(2000);
    m_qstrStandingTip =
        tr("Change path Please close open tools and all had download tools will move to new path.");

    buildForm();

    connect(&m_tipTimer, &QTimer::timeout, this, &SystemConfigWidget::onTimeOut);
    connect(m_pChangePathBtn, &QPushButton::clicked, this, &SystemConfigWidget::onSelectDownloadPath);
    connect(m_pCheckUpdateBtn, &QPushButton::clicked, this, &SystemConfigWidget::onCheckUpdate);
    connect(m_pUpdateBtn, &QPushButton::clicked, this, &SystemConfigWidget::onUpdateGearloft);
    connect(m_pSeeAboutBtn, &QPushButton::clicked, this, &SystemConfigWidget::onOpenLicense);
    connect(m_pOpenUserManualBtn, &QPushButton::clicked, this, &SystemConfigWidget::onManualButtonClicked);
    connect(m_pMover, &DownloadFolderMover::signalFinished, this, &SystemConfigWidget::onMoveFinished);

    connect(m_pChecker, &VersionChecker::signalRowsChanged, this, &SystemConfigWidget::onVersionRowsChanged);
    connect(m_pChecker, &VersionChecker::signalToServer, this, &SystemConfigWidget::signalToServer);
    connect(m_pChecker, &VersionChecker::signalStartUpdateManagerTool, this,
            &SystemConfigWidget::signalStartUpdateManagerTool);
    connect(m_pChecker, &VersionChecker::signalSetUpdateProgress, this,
            &SystemConfigWidget::signalSetUpdateProgress);
    connect(m_pChecker, &VersionChecker::signalUpdateFailed, this, &SystemConfigWidget::signalUpdateFailed);
    connect(m_pChecker, &VersionChecker::signalHaveNewMaterial, this,
            &SystemConfigWidget::signalHaveNewMaterial);
    connect(m_pChecker, &VersionChecker::signalGearloftNew, this, &SystemConfigWidget::signalGearloftNew);

    fillPage();

    // Bound after filling, so that showing the saved values writes nothing.
    connect(m_pCloseSoftwareCheckBox, &QCheckBox::stateChanged, this,
            &SystemConfigWidget::onIsClosedOpenTools);
    connect(m_pUpgradePromptSwitch, &QCheckBox::stateChanged, this,
            &SystemConfigWidget::onUpgradePromptChange);
    connect(m_pTransferModeSwitch, &QCheckBox::stateChanged, this, &SystemConfigWidget::onTransferModeChange);
    connect(m_pLanguageBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SystemConfigWidget::onLanguageChanged);
    // A skip made on the board, or a roll back, shows here at once.
    connect(InstalledTools::instance(), &InstalledTools::signalOffersChanged, this,
            [this] { fillSkipped(); });
}

void SystemConfigWidget::buildForm()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(4);

    auto* systemLabel = makeLabel(QStringLiteral("systemLabel"), tr("System"), this);
    systemLabel->setMinimumWidth(96);
    systemLabel->setMaximumSize(960, 32);
    layout->addWidget(systemLabel);

    QHBoxLayout* pathRow = makeRow(layout);
    pathRow->addWidget(makeLabel(QStringLiteral("pathLabel"), tr("Path:"), this));
    m_pPathTextLabel = makeLabel(QStringLiteral("pathTextLabel"), QString(), this);
    m_pPathTextLabel->setMaximumWidth(2000);
    m_pPathTextLabel->setMinimumWidth(40);
    m_pPathTextLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pathRow->addWidget(m_pPathTextLabel, 1);
    m_pWaitingLabel = new QLabel(this);
    m_pWaitingLabel->setObjectName(QStringLiteral("waitingLabel"));
    m_pWaitingLabel->setFixedSize(24, 24);
    m_pWaitingLabel->setScaledContents(true);
    m_pWaitingLabel->setAccessibleName(tr("Moving the downloaded tools"));
    pathRow->addWidget(m_pWaitingLabel);
    m_pChangePathBtn = makeButton(QStringLiteral("changePathBtn"), tr("ChangePath"), this);
    pathRow->addWidget(m_pChangePathBtn);

    QHBoxLayout* tipRow = makeRow(layout);
    m_pTipLabel = new QLabel(this);
    m_pTipLabel->setObjectName(QStringLiteral("tipLabel"));
    m_pTipLabel->setFixedSize(24, 24);
    tipRow->addWidget(m_pTipLabel, 0, Qt::AlignTop);
    m_pTipTextLabel = new QLabel(this);
    m_pTipTextLabel->setObjectName(QStringLiteral("tipTextLabel"));
    m_pTipTextLabel->setFixedSize(382, 53);
    m_pTipTextLabel->setWordWrap(true);
    m_pTipTextLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tipRow->addWidget(m_pTipTextLabel);
    tipRow->addStretch();

    m_pCloseSoftwareCheckBox = new QCheckBox(tr("click close button quit open software"), this);
    m_pCloseSoftwareCheckBox->setObjectName(QStringLiteral("closeSoftwareCheckBox"));
    m_pCloseSoftwareCheckBox->setFixedHeight(32);
    m_pCloseSoftwareCheckBox->setAccessibleName(m_pCloseSoftwareCheckBox->text());
    layout->addWidget(m_pCloseSoftwareCheckBox);

    layout->addWidget(makeLabel(QStringLiteral("versionLabel"), tr("Version"), this));
    QHBoxLayout* versionRow = makeRow(layout);
    auto* versionInfo = makeLabel(QStringLiteral("versionInfoLabel"), tr("VersionInfo:"), this);
    versionInfo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    versionRow->addWidget(versionInfo);
    m_pVersionTextLabel = makeLabel(QStringLiteral("versionTextLabel"), QString(), this);
    m_pVersionTextLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    versionRow->addWidget(m_pVersionTextLabel);
    m_pNewVersionLabel = makeLabel(QStringLiteral("newVersionLabel"), QString(), this);
    // The restart notice is longer than the row: two lines rather than cut.
    m_pNewVersionLabel->setWordWrap(true);
    m_pNewVersionLabel->setMinimumHeight(32);
    m_pNewVersionLabel->setMaximumHeight(48);
    versionRow->addWidget(m_pNewVersionLabel, 1);
    m_pUpdateBtn = makeButton(QStringLiteral("updateBtn"), tr("Update"), this);
    versionRow->addWidget(m_pUpdateBtn);
    m_pCheckUpdateBtn = makeButton(QStringLiteral("checkUpdateBtn"), tr("CheckUpdate"), this);
    m_pCheckUpdateBtn->setMinimumSize(96, 32);
    m_pCheckUpdateBtn->setMaximumSize(960, 32);
    versionRow->addWidget(m_pCheckUpdateBtn);

    QHBoxLayout* promptRow = makeRow(layout);
    auto* promptLabel = makeLabel(QStringLiteral("upgradePromptLabel"), tr("Enable Upgrade Prompt:"), this);
    promptRow->addWidget(promptLabel);
    m_pUpgradePromptSwitch = new crestui::CMiddleSwitchBox(this);
    m_pUpgradePromptSwitch->setObjectName(QStringLiteral("upgradePromptSwitch"));
    m_pUpgradePromptSwitch->setMinimumSize(54, 32);
    m_pUpgradePromptSwitch->setAccessibleName(promptLabel->text());
    promptLabel->setBuddy(m_pUpgradePromptSwitch);
    promptRow->addWidget(m_pUpgradePromptSwitch);
    promptRow->addStretch();
    // The package manager announces new versions of a packaged installation.
    promptLabel->setVisible(m_pChecker->selfUpdates());
    m_pUpgradePromptSwitch->setVisible(m_pChecker->selfUpdates());

    QHBoxLayout* transferRow = makeRow(layout);
    auto* transferLabel = makeLabel(QStringLiteral("transferModeLabel"), tr("Fast Transfers:"), this);
    transferRow->addWidget(transferLabel);
    m_pTransferModeSwitch = new crestui::CMiddleSwitchBox(this);
    m_pTransferModeSwitch->setObjectName(QStringLiteral("transferModeSwitch"));
    m_pTransferModeSwitch->setMinimumSize(54, 32);
    m_pTransferModeSwitch->setAccessibleName(transferLabel->text());
    transferLabel->setBuddy(m_pTransferModeSwitch);
    transferRow->addWidget(m_pTransferModeSwitch);
    transferRow->addStretch();
    auto* transferText = new QLabel(
        tr("Downloads each package in one request and resumes it after a broken connection."), this);
    transferText->setObjectName(QStringLiteral("transferModeTextLabel"));
    transferText->setWordWrap(true);
    transferText->setStyleSheet(QStringLiteral("color:#999999;"));
    m_pTransferModeSwitch->setAccessibleDescription(transferText->text());
    layout->addWidget(transferText);

    QHBoxLayout* languageRow = makeRow(layout);
    auto* languageLabel = makeLabel(QStringLiteral("languageLabel"), tr("Language:"), this);
    languageRow->addWidget(languageLabel);
    m_pLanguageBox = new QComboBox(this);
    m_pLanguageBox->setObjectName(QStringLiteral("languageBox"));
    // Each language by its own name, so that either reader finds theirs.
    m_pLanguageBox->addItem(QStringLiteral("English"), 0);
    m_pLanguageBox->addItem(QStringLiteral("中文"), 1);
    m_pLanguageBox->setMinimumSize(120, 32);
    m_pLanguageBox->setAccessibleName(tr("Language"));
    languageLabel->setBuddy(m_pLanguageBox);
    languageRow->addWidget(m_pLanguageBox);
    languageRow->addStretch();
    auto* languageText = new QLabel(tr("The new language shows from the next start of Gearloft."), this);
    languageText->setObjectName(QStringLiteral("languageTextLabel"));
    languageText->setWordWrap(true);
    languageText->setStyleSheet(QStringLiteral("color:#999999;"));
    m_pLanguageBox->setAccessibleDescription(languageText->text());
    layout->addWidget(languageText);

    layout->addWidget(makeLabel(QStringLiteral("skippedLabel"), tr("Skipped updates"), this));
    m_pSkippedArea = new QScrollArea(this);
    m_pSkippedArea->setObjectName(QStringLiteral("skippedArea"));
    m_pSkippedArea->setFrameShape(QFrame::NoFrame);
    m_pSkippedArea->setWidgetResizable(true);
    m_pSkippedArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pSkippedList = new QWidget(m_pSkippedArea);
    m_pSkippedList->setObjectName(QStringLiteral("skippedList"));
    auto* skippedLayout = new QVBoxLayout(m_pSkippedList);
    skippedLayout->setContentsMargins(0, 0, 0, 0);
    skippedLayout->setSpacing(2);
    m_pSkippedArea->setWidget(m_pSkippedList);
    layout->addWidget(m_pSkippedArea);

    QHBoxLayout* licenseRow = makeRow(layout);
    licenseRow->addWidget(makeLabel(QStringLiteral("sourceLabel"), tr("License"), this));
    m_pSeeAboutBtn = makeButton(QStringLiteral("seeAboutBtn"), tr("see about"), this);
    m_pSeeAboutBtn->setAccessibleName(tr("Open Source Software Licenses"));
    licenseRow->addWidget(m_pSeeAboutBtn);
    licenseRow->addStretch();

    m_pUserManualFrame = new QFrame(this);
    m_pUserManualFrame->setObjectName(QStringLiteral("userMannulFrame"));
    auto* manualRow = new QHBoxLayout(m_pUserManualFrame);
    manualRow->setContentsMargins(0, 0, 0, 0);
    manualRow->setSpacing(8);
    manualRow->addWidget(makeLabel(QStringLiteral("userLabel"), tr("UserManual"), m_pUserManualFrame));
    m_pOpenUserManualBtn = makeButton(QStringLiteral("openUserManualBtn"), tr("Open"), m_pUserManualFrame);
    m_pOpenUserManualBtn->setAccessibleName(tr("Open the user manual"));
    manualRow->addWidget(m_pOpenUserManualBtn);
    manualRow->addStretch();
    layout->addWidget(m_pUserManualFrame);
    layout->addStretch();

    m_pWaitingMovie = new QMovie(QStringLiteral(":/Gearmart/Image/Gearmatt/waiting.gif"), QByteArray(), this);
}

void SystemConfigWidget::fillPage()
{
    ConfigManager* config = ConfigManager::instance();
    m_pCloseSoftwareCheckBox->setChecked(config->closeOpenToolsFlag() != 0);
    m_pCloseSoftwareCheckBox->hide();

    m_qstrCurrentPath = config->downloadPath();
    showPath();

    onTimeOut();

    m_pVersionTextLabel->setText(QStringLiteral("V") + ToolDataManager::instance()->clientVersion());
    m_pChecker->start();

    m_pWaitingLabel->setMovie(m_pWaitingMovie);
    m_pWaitingLabel->hide();

    m_pUpgradePromptSwitch->setState(config->promptUpgrade() == 1 ? Qt::Checked : Qt::Unchecked);
    m_pTransferModeSwitch->setState(config->transferMode() == 1 ? Qt::Checked : Qt::Unchecked);

    // The manual exists in English only.
    m_pUserManualFrame->setVisible(config->language() != 1);

    // Any value but 0 shows the Chinese texts.
    m_pLanguageBox->setCurrentIndex(config->language() == 0 ? 0 : 1);
    fillSkipped();
}

void SystemConfigWidget::fillSkipped()
{
    QLayout* list = m_pSkippedList->layout();
    // Later: the line's own button may be what is being handled.
    while (QLayoutItem* item = list->takeAt(0)) {
        if (QWidget* line = item->widget()) {
            line->hide();
            line->setParent(nullptr);
            line->deleteLater();
        }
        delete item;
    }
    ToolDataManager* data = ToolDataManager::instance();
    const QVector<int> keys = InstalledTools::instance()->skippedTools();
    if (keys.isEmpty()) {
        auto* none = new QLabel(tr("No update is skipped."), m_pSkippedList);
        none->setObjectName(QStringLiteral("noSkippedLabel"));
        none->setStyleSheet(QStringLiteral("color:#999999;"));
        list->addWidget(none);
    }
    for (int key : qAsConst(keys)) {
        auto* line = new QWidget(m_pSkippedList);
        line->setObjectName(QStringLiteral("skipped_%1").arg(key));
        auto* row = new QHBoxLayout(line);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        const QString name = data->toolName(key);
        const QString version = data->toolInfos().value(key).Version;
        auto* text = new QLabel(QStringLiteral("%1  V%2").arg(name, version), line);
        text->setObjectName(QStringLiteral("skippedText"));
        row->addWidget(text, 1);
        auto* undo = makeButton(QStringLiteral("undoSkipBtn"), tr("Offer again"), line);
        undo->setAccessibleName(tr("Offer the update of %1 to V%2 again").arg(name, version));
        connect(undo, &QPushButton::clicked, this, [this, key] { onUndoSkip(key); });
        row->addWidget(undo);
        list->addWidget(line);
    }
    // Every line up to four, then it scrolls: the pop-up stays below the
    // window's height.
    // From the line itself: one added to a shown list counts as hidden in
    // the layout until it is shown.
    const int lines = qMin(qMax(1, int(keys.size())), 4);
    QWidget* first = list->count() > 0 ? list->itemAt(0)->widget() : nullptr;
    const int lineHeight = first ? first->sizeHint().height() : 32;
    m_pSkippedArea->setFixedHeight(lines * lineHeight + (lines - 1) * list->spacing());
    if (isVisible())
        adjustSize();
}

void SystemConfigWidget::onUndoSkip(int iToolkey)
{
    const bool hadFocus = m_pSkippedList->isAncestorOf(focusWidget());
    // The list follows through signalOffersChanged.
    if (!InstalledTools::instance()->undoSkip(iToolkey))
        showFailure(tr("save fail."));
    // The pressed button is gone: the keyboard goes on from the list.
    if (hadFocus) {
        QPushButton* next = m_pSkippedList->findChild<QPushButton*>();
        if (next)
            next->setFocus();
        else
            m_pLanguageBox->setFocus();
    }
}

void SystemConfigWidget::onLanguageChanged(int iIndex)
{
    const QString value = QString::number(m_pLanguageBox->itemData(iIndex).toInt());
    if (ConfigManager::instance()->set(ConfigKey::Translator, value)) {
        qCInfo(lcData).noquote() << "language" << value << "chosen for the next start";
        return;
    }
    showFailure(tr("save fail."));
    const QSignalBlocker blocker(m_pLanguageBox);
    m_pLanguageBox->setCurrentIndex(iIndex == 0 ? 1 : 0);
}

void SystemConfigWidget::showPath()
{
    const int room = m_pPathTextLabel->width();
    m_pPathTextLabel->setText(isVisible() && room > 0 ? m_pPathTextLabel->fontMetrics().elidedText(
                                                            m_qstrCurrentPath, Qt::ElideMiddle, room)
                                                      : m_qstrCurrentPath);
    m_pPathTextLabel->setToolTip(m_qstrCurrentPath);
    m_pPathTextLabel->setAccessibleName(tr("Path:") + QLatin1Char(' ') + m_qstrCurrentPath);
}

void SystemConfigWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    showPath();
}

void SystemConfigWidget::showFailure(const QString& qstrText)
{
    m_pTipLabel->setStyleSheet(kFailStyle);
    m_pTipTextLabel->setText(qstrText);
    m_tipTimer.start();
}

void SystemConfigWidget::reportMove(const QString& qstrLine, const QString& qstrMessage, bool bFailed)
{
    if (bFailed) {
        // Stays on the line until the next action, unlike a passing tip.
        m_tipTimer.stop();
        m_pTipLabel->setStyleSheet(kFailStyle);
        m_pTipTextLabel->setText(qstrLine);
    }
    TipDialog::showTip(bFailed ? kNoticeIcon : kSuccessIcon, qstrMessage, tr("OK"), tr("Cancel"), false, this);
}

void SystemConfigWidget::onTimeOut()
{
    m_pTipLabel->setStyleSheet(kTipStyle);
    m_pTipTextLabel->setText(m_qstrStandingTip);
}

void SystemConfigWidget::onDownloadingCount(int count)
{
    m_iDownloadingCount = count;
}

void SystemConfigWidget::onSelectDownloadPath()
{
    if (m_pMover->isRunning())
        return;
    switch (m_pMover->checkStart(m_iDownloadingCount)) {
    case DownloadFolderMover::Result::Downloading:
        showFailure(tr("Cannot change path while downloading."));
        return;
    case DownloadFolderMover::Result::ToolRunning:
        reportMove(tr("Please close open tools."),
                   tr("%1 is running. Please close it first: its files move with the download folder.")
                       .arg(m_pMover->runningToolName()),
                   true);
        return;
    default:
        break;
    }

    m_bNoDialogOpen = false;
    const QString chosen =
        FolderPicker::existingDirectory(this, tr("DownloadPath"), QDir::currentPath()).trimmed();
    m_bNoDialogOpen = true;
    const QString newPath =
        chosen.isEmpty() ? QString() : QDir::cleanPath(QDir::fromNativeSeparators(chosen));

    switch (m_pMover->checkTarget(m_qstrCurrentPath, newPath)) {
    case DownloadFolderMover::Result::Cancelled:
        return;
    case DownloadFolderMover::Result::SameOrInside:
        showFailure(tr("The new path cannot be the current path or lie inside it."));
        return;
    case DownloadFolderMover::Result::NoRoom:
        showFailure(tr("Disk free space less than 2G."));
        return;
    case DownloadFolderMover::Result::NotWritable:
        reportMove(tr("Download path save fail."),
                   tr("The folder %1 cannot be written to. Please choose another folder.").arg(newPath), true);
        return;
    default:
        break;
    }

    m_pWaitingMovie->start();
    m_pWaitingLabel->show();
    m_pChangePathBtn->setEnabled(false);
    emit signalTransCover(true);
    if (!m_pMover->start(m_qstrCurrentPath, newPath))
        onMoveFinished(DownloadFolderMover::Result::CopyFailed);
}

void SystemConfigWidget::onMoveFinished(DownloadFolderMover::Result result)
{
    emit signalCopyCompleted();
    switch (result) {
    case DownloadFolderMover::Result::Moved:
        m_qstrCurrentPath = ConfigManager::instance()->downloadPath();
        showPath();
        endBusy();
        reportMove(QString(), tr("The downloaded tools were moved to %1.").arg(m_qstrCurrentPath), false);
        return;
    case DownloadFolderMover::Result::NoRoom:
        endBusy();
        reportMove(tr("Not enough free space for the downloaded tools."),
                   tr("The downloaded tools need %1, but only %2 is free there. Nothing was moved.")
                       .arg(locale().formattedDataSize(m_pMover->neededBytes()),
                            locale().formattedDataSize(qint64(m_pMover->freeGiBAtTarget() * 1073741824.0))),
                   true);
        return;
    case DownloadFolderMover::Result::SaveFailed:
        endBusy();
        reportMove(tr("Download path save fail."),
                   tr("The new download folder could not be saved in the settings. The tools stay in %1.")
                       .arg(m_qstrCurrentPath),
                   true);
        return;
    default:
        endBusy();
        reportMove(tr("Download path save fail."),
                   tr("The tools could not be copied to %1 (is it writable, and is there room?). They stay in %2.")
                       .arg(m_pMover->newPath(), m_qstrCurrentPath),
                   true);
        return;
    }
}

void SystemConfigWidget::endBusy()
{
    m_pWaitingMovie->stop();
    m_pWaitingLabel->hide();
    m_pChangePathBtn->setEnabled(true);
    activateWindow();
    emit signalTransCover(false);
}

void SystemConfigWidget::onIsClosedOpenTools(int iState)
{
    const bool checked = iState == Qt::Checked;
    if (ConfigManager::instance()->setCloseOpenToolsFlag(checked ? 1 : 0))
        return;
    showFailure(tr("save fail."));
    const QSignalBlocker blocker(m_pCloseSoftwareCheckBox);
    m_pCloseSoftwareCheckBox->setChecked(!checked);
}

void SystemConfigWidget::onUpgradePromptChange(int state)
{
    if (state != Qt::Unchecked && state != Qt::Checked)
        return;
    if (ConfigManager::instance()->set(ConfigKey::PromptUpgrade,
                                       state == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0")))
        return;
    // A switch that shows what is not saved would mislead at the next start.
    showFailure(tr("save fail."));
    const QSignalBlocker blocker(m_pUpgradePromptSwitch);
    m_pUpgradePromptSwitch->setState(state == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void SystemConfigWidget::onTransferModeChange(int state)
{
    if (ConfigManager::instance()->setTransferMode(state == Qt::Checked ? 1 : 0))
        return;
    showFailure(tr("save fail."));
    const QSignalBlocker blocker(m_pTransferModeSwitch);
    m_pTransferModeSwitch->setState(state == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void SystemConfigWidget::showTip(const QString& qstrText)
{
    emit signalCover(true);
    TipDialog::showTip(kNoticeIcon, qstrText, tr("OK"), tr("Cancel"), false, nullptr);
    emit signalCover(false);
}

void SystemConfigWidget::onManualButtonClicked()
{
    m_bNoDialogOpen = false;
    switch (UserDocuments::openManual(m_qstrApplicationDir + QStringLiteral("/User Manual.PDF"),
                                      QStringLiteral("PDF"))) {
    case UserDocuments::Result::Opened:
        break;
    case UserDocuments::Result::OpenFailed:
        showTip(tr("Open User's Manual fail."));
        break;
    case UserDocuments::Result::NotFound:
        showTip(tr("No user manual found."));
        break;
    }
    m_bNoDialogOpen = true;
}

void SystemConfigWidget::onOpenLicense()
{
    m_bNoDialogOpen = false;
    if (UserDocuments::openLicenses(m_qstrApplicationDir) != UserDocuments::Result::Opened)
        showTip(tr("Open Open Source Software Licenses file directory failed."));
    m_bNoDialogOpen = true;
}

void SystemConfigWidget::onServerResponded(int method, QMap<int, QString> toolkeyToServerValue)
{
    m_pChecker->onServerResponded(method, toolkeyToServerValue);
}

void SystemConfigWidget::onCheckUpdate()
{
    m_pChecker->onCheckUpdate();
}

void SystemConfigWidget::onUpdateGearloft()
{
    if (!m_pChecker->onUpdate(m_iDownloadingCount))
        showFailure(tr("Cannot update Gearloft while downloading."));
}

void SystemConfigWidget::onReUpdate()
{
    if (!m_pChecker->onUpdate(m_iDownloadingCount))
        showTip(tr("Cannot update Gearloft while downloading."));
}

void SystemConfigWidget::onUpdateCancel()
{
    m_pChecker->onUpdateCancel();
}

void SystemConfigWidget::onGearloftUpdated()
{
    m_pChecker->onUpdateCompleted();
}

void SystemConfigWidget::onUpdateTimeOut()
{
    m_pChecker->onUpdateTimeOut();
}

void SystemConfigWidget::onManagerProcessTimeOut()
{
    m_pChecker->onManagerProcessTimeOut();
}

void SystemConfigWidget::onMaterialProcessTimeOut()
{
    m_pChecker->onMaterialProcessTimeOut();
}

void SystemConfigWidget::onVersionRowsChanged()
{
    const VersionChecker::Rows rows = m_pChecker->rows();
    const bool focusWasOnRow = m_pUpdateBtn->hasFocus() || m_pCheckUpdateBtn->hasFocus();
    m_pNewVersionLabel->setText(m_pChecker->message());
    m_pNewVersionLabel->setAccessibleName(m_pChecker->message());
    m_pNewVersionLabel->setVisible(rows != VersionChecker::Rows::Check);
    m_pUpdateBtn->setVisible(rows == VersionChecker::Rows::NewVersion);
    m_pCheckUpdateBtn->setVisible(rows == VersionChecker::Rows::Check);
    // A keyboard user keeps a place to be when the pressed button hides.
    if (focusWasOnRow) {
        if (m_pUpdateBtn->isVisible())
            m_pUpdateBtn->setFocus();
        else if (m_pCheckUpdateBtn->isVisible())
            m_pCheckUpdateBtn->setFocus();
        else
            m_pChangePathBtn->setFocus();
    }
}

bool SystemConfigWidget::event(QEvent* event)
{
    // Like a menu, the pop-up goes when the user turns elsewhere, but never
    // from under its own folder dialog or a running move.
    if (event->type() == QEvent::WindowDeactivate && m_bNoDialogOpen && !m_pMover->isRunning())
        hide();
    return QWidget::event(event);
}

void SystemConfigWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !m_pMover->isRunning()) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SystemConfigWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fillSkipped();
    showPath();
    // Keyboard users start on the first control.
    m_pChangePathBtn->setFocus();
}

void SystemConfigWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0xE6, 0xE6, 0xE6));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace gearmart
