#include "details/moreinfoleftwidget.h"

#include "common/picturecache.h"
#include "common/signingate.h"
#include "common/transferprogresshub.h"
#include "common/transferprogresslabel.h"
#include "config/configmanager.h"
#include "log/logging.h"
#include "system/systemutils.h"
#include "tooldata/tooldatamanager.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOption>
#include <QVBoxLayout>
#include <limits>

namespace gearmart {

namespace {

enum RequestMethodNumber
{
    kMethodDownload = 3,
    kMethodProgress = 4,
    kMethodCancel = 5,
};

enum AnswerValue
{
    kAccepted = 0,
    kFinished = 200,
    kTimeout = 110,
    kWaiting = 120,
    kConnectFailed = 130,
    kInitialFailed = 140,
    kSaveFailed = 400,
    kNotFound = 404,
    kFailed = -1,
};

// An answer that is not a number is a failure of no known kind.
constexpr int kUnreadableAnswer = std::numeric_limits<int>::min();

const char* const kDownloadingColor = "#3BCD8D";
const char* const kFailedColor = "#FA3239";
const char* const kNoticeIcon = ":/Gearmart/Image/Gearmatt/icon/notice.png";

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

MoreInfoLeftWidget::MoreInfoLeftWidget(const ToolInfo& record, QWidget* parent)
    : QWidget(parent), m_toolInfo(record), m_pSignInGate(new SignInGate(this))
{
    qRegisterMetaType<ToolCurrentState>("ToolCurrentState");
    qRegisterMetaType<ToolCurrentState>("gearmart::ToolCurrentState");
    setObjectName(QStringLiteral("MoreInfoLeftWidget"));
    setFixedWidth(kWidth);
    buildForm();
    loadFacts();
    takeLookOfToolState();

    connect(openBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onOpenTool);
    connect(downloadBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onDownloadTool);
    connect(updateBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onUpdateTool);
    connect(deleteBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onCancel);
    connect(refreshBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onRefresh);
    connect(m_pSignInGate, &SignInGate::signalCover, this, &MoreInfoLeftWidget::signalCover);
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
    transferLabel = new TransferProgressLabel(m_toolInfo.ToolKey, this);
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
    facts->addWidget(label_2, 0, 0);
    facts->addWidget(timeLabel, 0, 1);
    facts->addWidget(label_3, 1, 0);
    facts->addWidget(sizeLabel, 1, 1);
    facts->addWidget(versionLabeltext, 2, 0);
    facts->addWidget(versionLabel, 2, 1);
    facts->setColumnStretch(1, 1);
    infoLayout->addLayout(facts);
    layout->addWidget(infoWidget);
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

QString MoreInfoLeftWidget::toolDisplayName() const
{
    return ToolDataManager::instance()->toolName(m_toolInfo.ToolKey);
}

void MoreInfoLeftWidget::setLook(Look emLook)
{
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

void MoreInfoLeftWidget::takeLookOfToolState()
{
    const QMap<int, ToolState>& states = ToolDataManager::instance()->toolStates();
    const auto state = states.constFind(m_toolInfo.ToolKey);
    if (state == states.constEnd() || state->IsDownload != 1) {
        setLook(Look::NotInstalled);
    } else if (state->IsNeedUpdate == 1) {
        setLook(Look::UpdateAvailable);
    } else {
        setLook(Look::Installed);
    }
}

bool MoreInfoLeftWidget::showNotice(const QString& qstrText)
{
    // The dialog runs its own event loop; this column may be gone after it.
    QPointer<MoreInfoLeftWidget> self(this);
    emit signalCover(true);
    TipDialog::showTip(QLatin1String(kNoticeIcon), qstrText, tr("OK"), tr("Cancel"), false, this);
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

void MoreInfoLeftWidget::startDownload()
{
    setLook(Look::Downloading);
    m_emState = ToolDownloadRequested;
    emit signalDownload(kMethodDownload, {m_toolInfo.ToolKey});
    emit signalToMainPage(ToolDownloadRequested, m_toolInfo.ToolKey);
}

void MoreInfoLeftWidget::onDownloadTool()
{
    QPointer<MoreInfoLeftWidget> self(this);
    if (!downloadChecksPass() || !self) {
        return;
    }
    if (!m_pSignInGate->pass(m_toolInfo.ToolKey) || !self) {
        return;
    }
    startDownload();
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
    if (!m_pSignInGate->pass(m_toolInfo.ToolKey) || !self) {
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
    m_emState = ToolCancelled;
    takeLookOfToolState();
    progressBar->setValue(0);
    emit signalToMainPage(ToolCancelled, m_toolInfo.ToolKey);
    emit signalDownload(kMethodCancel, {m_toolInfo.ToolKey});
}

void MoreInfoLeftWidget::onRefresh()
{
    startDownload();
}

void MoreInfoLeftWidget::failWith(int iCode)
{
    setLook(Look::Failed);
    QString qstrMessage;
    switch (iCode) {
    case kTimeout:
        qstrMessage = tr("connect to network timeout.");
        break;
    case kInitialFailed:
        qstrMessage = tr("network initial failed.");
        break;
    case kSaveFailed:
        qstrMessage = tr("save failed.");
        break;
    case kNotFound:
        qstrMessage = tr("File not found.");
        break;
    case kFailed:
        qstrMessage = TransferProgressHub::instance()->failureText(m_toolInfo.ToolKey,
                                                                   tr("connect to network failed."));
        break;
    default:
        qstrMessage = tr("network anomaly");
        break;
    }
    progressBar->setToolTip(qstrMessage);
}

void MoreInfoLeftWidget::onServerResponded(int iMethod, QMap<int, QString> mapToolkeyToServerValue)
{
    const auto answer = mapToolkeyToServerValue.constFind(m_toolInfo.ToolKey);
    if (answer == mapToolkeyToServerValue.constEnd() || m_emState == ToolCancelled) {
        return;
    }
    if (iMethod != kMethodDownload && iMethod != kMethodProgress) {
        return;
    }
    bool bNumber = false;
    int iValue = answer->trimmed().toInt(&bNumber, 10);
    if (!bNumber) {
        iValue = kUnreadableAnswer;
    }

    if (iMethod == kMethodDownload) {
        switch (iValue) {
        case kAccepted:
            m_emState = ToolDownloading;
            emit signalToMainPage(ToolDownloading, m_toolInfo.ToolKey);
            break;
        case kWaiting:
            setLook(Look::Waiting);
            break;
        case kConnectFailed:
        case kFinished:
        case kFailed:
            failWith(kFailed);
            break;
        default:
            failWith(iValue);
            break;
        }
        return;
    }

    if (iValue >= 0 && iValue <= 100) {
        // A queued download that has begun: its waiting text gives way.
        if (m_emLook == Look::Waiting) {
            setLook(Look::Downloading);
        }
        // The bar never shows 100 before the service reports completion.
        progressBar->setValue(iValue <= 95 ? iValue : iValue - 1);
        return;
    }
    switch (iValue) {
    case kFinished: {
        setLook(Look::Installed);
        m_emState = ToolDownloaded;
        ToolState& state = ToolDataManager::instance()->toolStates()[m_toolInfo.ToolKey];
        state.ToolKey = m_toolInfo.ToolKey;
        state.IsDownload = 1;
        emit signalToMainPage(ToolDownloaded, m_toolInfo.ToolKey);
        break;
    }
    case kWaiting:
        setLook(Look::Waiting);
        break;
    case kConnectFailed:
    case kFailed:
        failWith(kFailed);
        break;
    default:
        failWith(iValue);
        break;
    }
}

void MoreInfoLeftWidget::onSubToolsStateChanged(ToolCurrentState emState, int iKey)
{
    if (iKey != m_toolInfo.ToolKey) {
        return;
    }
    switch (emState) {
    case ToolDownloadRequested:
        setLook(Look::Downloading);
        m_emState = ToolDownloadRequested;
        break;
    case ToolDownloading:
        // Also a retry or a queued start elsewhere, without a request before it.
        if (m_emLook != Look::Downloading) {
            setLook(Look::Downloading);
        }
        m_emState = ToolDownloading;
        break;
    case ToolCancelled:
        takeLookOfToolState();
        progressBar->setValue(0);
        m_emState = ToolCancelled;
        break;
    case ToolDeleted: {
        setLook(Look::NotInstalled);
        auto state = ToolDataManager::instance()->toolStates().find(iKey);
        if (state != ToolDataManager::instance()->toolStates().end()) {
            state->IsDownload = 0;
        }
        m_emState = ToolDeleted;
        break;
    }
    default:
        break;
    }
}

void MoreInfoLeftWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
