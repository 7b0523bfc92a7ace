#include "details/moreinfoleftwidget.h"

#include "common/installedtoolactions.h"
#include "common/picturecache.h"
#include "common/signingate.h"
#include "common/transferprogresslabel.h"
#include "config/configmanager.h"
#include "installed/installedtools.h"
#include "log/logging.h"
#include "system/systemutils.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "transfer/transferfailure.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOption>
#include <QVBoxLayout>
#include <iterator>
#include <utility>

namespace gearmart {

namespace {

const char* const kDownloadingColor = "#3BCD8D";
const char* const kFailedColor = "#FA3239";

QPushButton* makeButton(const QString& qstrName, const QSize& size, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(qstrName);
    button->setFixedSize(size);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel* makeLabel(const QString& qstrName, const QString& qstrText, QWidget* parent)
{
    auto* label = new QLabel(qstrText, parent);
    label->setObjectName(qstrName);
    return label;
}

} // namespace

MoreInfoLeftWidget::MoreInfoLeftWidget(const ToolInfo& record, ToolTransfer* transfers, QWidget* parent)
    : QWidget(parent), m_toolInfo(record), m_pTransfers(transfers)
{
    setObjectName(QStringLiteral("MoreInfoLeftWidget"));
    setFixedWidth(kWidth);
    buildForm();
    loadFacts();
    render();

    connect(openBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onOpenTool);
    connect(downloadBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onDownloadTool);
    connect(updateBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onUpdateTool);
    connect(deleteBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onCancel);
    connect(refreshBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onRefresh);
    connect(showFolderBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onShowInFolder);
    connect(rollbackBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onRollBack);
    connect(m_pTransfers, &ToolTransfer::signalTransfersChanged, this,
            &MoreInfoLeftWidget::onTransfersChanged);
    connect(InstalledTools::instance(), &InstalledTools::signalFactsChanged, this,
            &MoreInfoLeftWidget::onToolChanged);
    connect(InstalledTools::instance(), &InstalledTools::signalOffersChanged, this,
            &MoreInfoLeftWidget::onToolChanged);
}

void MoreInfoLeftWidget::buildForm()
{
    auto* layout = new QVBoxLayout(this);
    // The progress row (bar, cancel, retry) needs 192 of the 216 pixels.
    layout->setContentsMargins(12, 24, 12, 24);
    layout->setSpacing(16);

    logoLabel = makeLabel(QStringLiteral("logoLabel"), QString(), this);
    logoLabel->setFixedSize(128, 128);
    logoLabel->setScaledContents(true);
    layout->addWidget(logoLabel, 0, Qt::AlignHCenter);

    updateBtnWidget = new QWidget(this);
    updateBtnWidget->setObjectName(QStringLiteral("updateBtnWidget"));
    auto* updateLayout = new QHBoxLayout(updateBtnWidget);
    updateLayout->setContentsMargins(0, 0, 0, 0);
    updateBtn = makeButton(QStringLiteral("updateBtn"), QSize(96, 32), updateBtnWidget);
    updateBtn->setText(tr("Update"));
    updateLayout->addWidget(updateBtn, 0, Qt::AlignHCenter);
    layout->addWidget(updateBtnWidget);

    openBtnWidget = new QWidget(this);
    openBtnWidget->setObjectName(QStringLiteral("openBtnWidget"));
    auto* openLayout = new QHBoxLayout(openBtnWidget);
    openLayout->setContentsMargins(0, 0, 0, 0);
    downloadBtn = makeButton(QStringLiteral("downloadBtn"), QSize(96, 32), openBtnWidget);
    downloadBtn->setText(tr("Download"));
    openBtn = makeButton(QStringLiteral("openBtn"), QSize(96, 32), openBtnWidget);
    openBtn->setText(tr("Open"));
    openLayout->addWidget(downloadBtn, 0, Qt::AlignHCenter);
    openLayout->addWidget(openBtn, 0, Qt::AlignHCenter);
    layout->addWidget(openBtnWidget);

    progressBarWidget = new QWidget(this);
    progressBarWidget->setObjectName(QStringLiteral("progressBarWidget"));
    progressBarWidget->setFixedHeight(32);
    auto* progressLayout = new QHBoxLayout(progressBarWidget);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressLayout->setSpacing(2);
    progressBar = new ProgressBar(progressBarWidget);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setFixedSize(140, 14);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    // Icon-only buttons: the accessible name says what they do to which tool.
    const QString qstrName = toolDisplayName();
    deleteBtn = makeButton(QStringLiteral("deleteBtn"), QSize(24, 24), progressBarWidget);
    deleteBtn->setIcon(QIcon(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_cancel.png")));
    deleteBtn->setIconSize(QSize(24, 24));
    deleteBtn->setAccessibleName(tr("Cancel download of %1").arg(qstrName));
    deleteBtn->setToolTip(deleteBtn->accessibleName());
    refreshBtn = makeButton(QStringLiteral("refreshBtn"), QSize(24, 24), progressBarWidget);
    refreshBtn->setIcon(QIcon(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_retry.png")));
    refreshBtn->setIconSize(QSize(24, 24));
    refreshBtn->setAccessibleName(tr("Retry download of %1").arg(qstrName));
    refreshBtn->setToolTip(refreshBtn->accessibleName());
    progressLayout->addWidget(progressBar, 0, Qt::AlignVCenter);
    progressLayout->addWidget(deleteBtn);
    progressLayout->addWidget(refreshBtn);
    progressLayout->addStretch(1);
    layout->addWidget(progressBarWidget);
    // Under the bar, taking no room while hidden.
    transferLabel = new TransferProgressLabel(this);
    transferLabel->setAccessibleName(tr("Transfer progress of %1").arg(qstrName));
    layout->addWidget(transferLabel);

    // The facts start under the logo's left edge.
    auto* infoWidget = new QWidget(this);
    infoWidget->setObjectName(QStringLiteral("infoWidget"));
    auto* infoLayout = new QVBoxLayout(infoWidget);
    infoLayout->setContentsMargins((kWidth - 128) / 2 - 12, 0, 0, 0);
    infoLayout->setSpacing(12);
    label_5 = makeLabel(QStringLiteral("label_5"), tr("information"), infoWidget);
    label_5->setFixedHeight(24);
    infoLayout->addWidget(label_5);
    line = makeLabel(QStringLiteral("line"), QString(), infoWidget);
    line->setFixedSize(128, 1);
    line->setStyleSheet(QStringLiteral("border: 1px solid #CCCCCC;"));
    infoLayout->addWidget(line);

    auto* facts = new QGridLayout;
    facts->setContentsMargins(0, 0, 0, 0);
    facts->setHorizontalSpacing(8);
    facts->setVerticalSpacing(8);
    label_2 = makeLabel(QStringLiteral("label_2"), tr("Time:"), infoWidget);
    timeLabel = makeLabel(QStringLiteral("timeLabel"), QString(), infoWidget);
    label_3 = makeLabel(QStringLiteral("label_3"), tr("size:"), infoWidget);
    sizeLabel = makeLabel(QStringLiteral("sizeLabel"), QString(), infoWidget);
    versionLabeltext = makeLabel(QStringLiteral("versionLabeltext"), tr("version:"), infoWidget);
    versionLabel = makeLabel(QStringLiteral("versionLabel"), QString(), infoWidget);
    // Beside the catalog's facts, what is on this disk.
    installedVersionText = makeLabel(QStringLiteral("installedVersionText"), tr("Installed:"), infoWidget);
    installedVersionLabel = makeLabel(QStringLiteral("installedVersionLabel"), QString(), infoWidget);
    diskSizeText = makeLabel(QStringLiteral("diskSizeText"), tr("On disk:"), infoWidget);
    diskSizeLabel = makeLabel(QStringLiteral("diskSizeLabel"), QString(), infoWidget);
    installedAtText = makeLabel(QStringLiteral("installedAtText"), tr("Installed on:"), infoWidget);
    installedAtLabel = makeLabel(QStringLiteral("installedAtLabel"), QString(), infoWidget);
    const std::pair<QLabel*, QLabel*> rows[] = {{label_2, timeLabel},
                                                {label_3, sizeLabel},
                                                {versionLabeltext, versionLabel},
                                                {installedVersionText, installedVersionLabel},
                                                {diskSizeText, diskSizeLabel},
                                                {installedAtText, installedAtLabel}};
    for (int row = 0; row < int(std::size(rows)); ++row) {
        facts->addWidget(rows[row].first, row, 0);
        facts->addWidget(rows[row].second, row, 1);
    }
    installedVersionLabel->setAccessibleName(tr("Installed version"));
    diskSizeLabel->setAccessibleName(tr("Size on disk"));
    installedAtLabel->setAccessibleName(tr("Installed or updated on"));
    facts->setColumnStretch(1, 1);
    infoLayout->addLayout(facts);
    layout->addWidget(infoWidget);

    showFolderBtn = new QPushButton(tr("Show in folder"), this);
    showFolderBtn->setObjectName(QStringLiteral("showFolderBtn"));
    showFolderBtn->setAccessibleName(tr("Show the folder of %1").arg(qstrName));
    rollbackBtn = new QPushButton(this);
    rollbackBtn->setObjectName(QStringLiteral("rollbackBtn"));
    for (QPushButton* button : {showFolderBtn, rollbackBtn}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedHeight(24);
        layout->addWidget(button, 0, Qt::AlignLeft);
    }
    layout->addStretch(1);
}

QString MoreInfoLeftWidget::formatSize(float fSizeMB)
{
    return QString::number(double(fSizeMB), 'g', 6) + QStringLiteral("MB");
}

void MoreInfoLeftWidget::loadFacts()
{
    const QString path = ToolDataManager::instance()->baseDirectory() + QStringLiteral("/ToolsFile/Icon/") +
                         m_toolInfo.IconMaxName;
    logoLabel->setPixmap(
        PictureCache::instance().scaledToHeight(path, logoLabel->height(), PictureCache::Placeholder::Icon));
    timeLabel->setText(m_toolInfo.updateDate);
    sizeLabel->setText(formatSize(m_toolInfo.ToolSize));
    versionLabel->setText(QStringLiteral("V") + m_toolInfo.Version);
}

void MoreInfoLeftWidget::showInstalled()
{
    const int key = m_toolInfo.ToolKey;
    const bool bInstalled = ToolDataManager::instance()->toolStates().value(key).IsDownload == 1;
    const InstalledTools::RollbackOffer offer = InstalledTools::instance()->rollbackOffer(key);
    rollbackBtn->setText(InstalledToolActions::rollbackText(offer));
    rollbackBtn->setAccessibleName(rollbackBtn->text() + QStringLiteral(": ") + toolDisplayName());
    // Not while the files are being replaced.
    rollbackBtn->setVisible(bInstalled && offer.available && m_pTransfers->record(key).isResting());
    for (QWidget* part : {static_cast<QWidget*>(installedVersionText),
                          static_cast<QWidget*>(installedVersionLabel), static_cast<QWidget*>(diskSizeText),
                          static_cast<QWidget*>(diskSizeLabel), static_cast<QWidget*>(installedAtText),
                          static_cast<QWidget*>(installedAtLabel), static_cast<QWidget*>(showFolderBtn)})
        part->setVisible(bInstalled);
    if (!bInstalled)
        return;
    const InstalledTools::Facts facts = InstalledTools::instance()->facts(key);
    installedVersionLabel->setText(InstalledToolActions::versionText(facts.installedVersion));
    diskSizeLabel->setText(InstalledToolActions::sizeText(facts.sizeBytes));
    installedAtLabel->setText(InstalledToolActions::dateText(facts.installedAt));
    installedAtLabel->setToolTip(facts.folder);
}

QString MoreInfoLeftWidget::toolDisplayName() const
{
    return ToolDataManager::instance()->toolName(m_toolInfo.ToolKey);
}

void MoreInfoLeftWidget::setLook(Look emLook)
{
    // A new look starts clean; the same one keeps its bar and figures.
    if (emLook == m_emLook && m_bLookShown)
        return;
    m_bLookShown = true;
    m_emLook = emLook;
    const bool bIdle =
        emLook == Look::NotInstalled || emLook == Look::Installed || emLook == Look::UpdateAvailable;
    openBtnWidget->setVisible(bIdle);
    downloadBtn->setVisible(emLook == Look::NotInstalled);
    openBtn->setVisible(emLook == Look::Installed || emLook == Look::UpdateAvailable);
    updateBtnWidget->setVisible(emLook == Look::UpdateAvailable);
    progressBarWidget->setVisible(!bIdle);
    deleteBtn->setVisible(!bIdle);
    refreshBtn->setVisible(emLook == Look::Failed);
    // Figures belong to a running download only, and a new one starts
    // without the old one's.
    transferLabel->setActive(false);
    transferLabel->setActive(emLook == Look::Downloading);

    switch (emLook) {
    case Look::Downloading:
        progressBar->setValue(0);
        progressBar->setMode(ProgressBar::kPercentMode);
        progressBar->setChunkColor(QColor(QLatin1String(kDownloadingColor)));
        // A failure of an earlier attempt no longer applies.
        progressBar->setToolTip(QString());
        break;
    case Look::Waiting:
        progressBar->setValue(0);
        progressBar->setMode(ProgressBar::kWaitingMode);
        progressBar->setText(tr("Waiting..."));
        progressBar->setToolTip(QString());
        break;
    case Look::Failed:
        progressBar->setMode(ProgressBar::kFailureMode);
        progressBar->setChunkColor(QColor(QLatin1String(kFailedColor)));
        progressBar->setText(tr("download fail"));
        progressBar->repaint();
        break;
    default:
        break;
    }
}

void MoreInfoLeftWidget::render()
{
    const int key = m_toolInfo.ToolKey;
    const TransferRecord record = m_pTransfers->record(key);
    switch (record.state) {
    case TransferState::Waiting:
        setLook(Look::Waiting);
        break;
    case TransferState::Downloading:
    case TransferState::Unpacking:
        setLook(Look::Downloading);
        progressBar->setValue(record.cappedPercent());
        transferLabel->showProgress(record.figures);
        break;
    case TransferState::Failed:
        setLook(Look::Failed);
        progressBar->setValue(record.cappedPercent());
        progressBar->setToolTip(TransferFailure::text(record, TransferFailure::Wording::Details));
        break;
    case TransferState::Idle:
    case TransferState::Done:
    case TransferState::Cancelling: {
        const ToolDataManager* data = ToolDataManager::instance();
        if (data->toolStates().value(key).IsDownload != 1)
            setLook(Look::NotInstalled);
        else
            setLook(data->updateOffered(key) ? Look::UpdateAvailable : Look::Installed);
        progressBar->setValue(0);
        break;
    }
    }
    showInstalled();
}

void MoreInfoLeftWidget::onTransfersChanged(QVector<int> toolKeys)
{
    if (toolKeys.contains(m_toolInfo.ToolKey))
        render();
}

void MoreInfoLeftWidget::onToolChanged(int iToolkey)
{
    if (iToolkey == m_toolInfo.ToolKey)
        render();
}

void MoreInfoLeftWidget::onToolDeleted(int iToolkey)
{
    if (iToolkey == m_toolInfo.ToolKey)
        render();
}

bool MoreInfoLeftWidget::passSignIn()
{
    // Not a child of this column: it may be deleted while the user signs in.
    QPointer<MoreInfoLeftWidget> self(this);
    SignInGate gate(this);
    connect(&gate, &SignInGate::signalCover, this, &MoreInfoLeftWidget::signalCover);
    return gate.pass(m_toolInfo.ToolKey) && self;
}

bool MoreInfoLeftWidget::showNotice(const QString& qstrText)
{
    // The dialog runs its own event loop; this column may be gone after it.
    QPointer<MoreInfoLeftWidget> self(this);
    emit signalCover(true);
    TipDialog::showTip(kNoticeIcon, qstrText, tr("OK"), tr("Cancel"), false, this);
    if (!self) {
        return false;
    }
    emit signalCover(false);
    return true;
}

bool MoreInfoLeftWidget::downloadChecksPass()
{
    const QString qstrPath = ConfigManager::instance()->downloadPath();
    if (qstrPath.isEmpty()) {
        showNotice(tr("Please set downlaod path at system setting page."));
        return false;
    }
    if (double(m_toolInfo.ToolSize) > freeSpaceGiB(qstrPath) * 1024) {
        showNotice(tr("Disk free space little than tool Size, please modify download Path."));
        return false;
    }
    return true;
}

bool MoreInfoLeftWidget::refuseWhileRunning(const QString& qstrMessage)
{
    if (!ToolLauncher::isRunning(m_toolInfo.ToolKey)) {
        return false;
    }
    showNotice(toolDisplayName() + QLatin1Char(' ') + qstrMessage);
    return true;
}

void MoreInfoLeftWidget::onDownloadTool()
{
    QPointer<MoreInfoLeftWidget> self(this);
    if (!downloadChecksPass() || !self || !passSignIn())
        return;
    m_pTransfers->downloadTool(m_toolInfo.ToolKey);
}

void MoreInfoLeftWidget::onUpdateTool()
{
    QPointer<MoreInfoLeftWidget> self(this);
    if (refuseWhileRunning(tr("have already open, please close at first.")) || !self) {
        return;
    }
    onDownloadTool();
}

void MoreInfoLeftWidget::onOpenTool()
{
    QPointer<MoreInfoLeftWidget> self(this);
    if (!passSignIn()) {
        return;
    }
    if (refuseWhileRunning(tr("have already open.")) || !self) {
        return;
    }
    if (!ToolLauncher::executableExists(m_toolInfo.ToolKey)) {
        qCDebug(lcPages) << "Exe not exist";
        onDownloadTool();
        return;
    }
    // A start that fails for another reason is not reported, as on the card.
    m_launcher.launch(m_toolInfo.ToolKey);
}

void MoreInfoLeftWidget::onCancel()
{
    m_pTransfers->cancel(m_toolInfo.ToolKey);
}

void MoreInfoLeftWidget::onRefresh()
{
    m_pTransfers->downloadTool(m_toolInfo.ToolKey);
}

void MoreInfoLeftWidget::onShowInFolder()
{
    QPointer<MoreInfoLeftWidget> self(this);
    InstalledToolActions::showInFolder(m_toolInfo.ToolKey, this, [self](bool bCover) {
        if (self)
            emit self->signalCover(bCover);
    });
}

void MoreInfoLeftWidget::onRollBack()
{
    QPointer<MoreInfoLeftWidget> self(this);
    InstalledToolActions::rollBack(m_toolInfo.ToolKey, *m_pTransfers, this, [self](bool bCover) {
        if (self)
            emit self->signalCover(bCover);
    });
}

void MoreInfoLeftWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
