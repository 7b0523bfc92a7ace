#include "catalog/subtoolwidget.h"

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

#include <QDebug>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOption>
#include <QTextLayout>
#include <QVBoxLayout>

namespace gearmart {

namespace {

const QColor kDownloadingColor(QStringLiteral("#3BCD8D"));
const QColor kFailedColor(QStringLiteral("#FA3239"));
constexpr int kDescriptionWidth = 208;
// The card's room for its description: two lines of a CJK font, three of a
// Latin one, at the pages' 12 pixels.
constexpr int kDescriptionRoom = 44;
constexpr int kMostDescriptionLines = 3;

// The text in at most iLines lines as wide as iWidth, broken where a label
// breaks it, the last one ending in "…" when text is left over. Explicit
// line breaks keep the label from wrapping it any other way.
QString fitToLines(const QString& qstrText, const QFont& font, int iWidth, int iLines)
{
    const QString text = qstrText.simplified();
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    int lastStart = 0;
    bool bMore = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(iWidth);
        if (lines.size() == iLines) {
            bMore = true;
            break;
        }
        lastStart = line.textStart();
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    if (bMore)
        lines.last() = QFontMetrics(font).elidedText(text.mid(lastStart), Qt::ElideRight, iWidth);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

using toolaction::makeButton;

SubToolWidget::SubToolWidget(int toolKey, ToolTransfer* transfers, QWidget* parent)
    : QWidget(parent), m_iToolKey(toolKey), m_pTransfers(transfers)
{
    buildForm();
    loadFromCatalog();
    connectSignals();
}

void SubToolWidget::setFreeSpaceFunctionForTesting(std::function<double(const QString&)> function)
{
    toolaction::setFreeSpaceFunction(std::move(function));
}

void SubToolWidget::buildForm()
{
    setObjectName(QStringLiteral("SubToolWidget"));
    setFixedSize(234, 254);
    // Reached by Tab like any control; its ring shows where focus is.
    setFocusPolicy(Qt::StrongFocus);
    setProperty(FocusRing::kOwnRing, true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 14, 2, 8);
    layout->setSpacing(0);

    m_pLogoLabel = new QLabel(this);
    m_pLogoLabel->setObjectName(QStringLiteral("logoLabel"));
    m_pLogoLabel->setFixedSize(96, 96);
    m_pLogoLabel->setAlignment(Qt::AlignCenter);
    m_pLogoLabel->setCursor(Qt::PointingHandCursor);
    layout->addWidget(m_pLogoLabel, 0, Qt::AlignHCenter);
    layout->addSpacing(8);

    auto* nameRow = new QHBoxLayout;
    nameRow->setContentsMargins(0, 0, 0, 0);
    nameRow->setSpacing(4);
    nameRow->addStretch(1);
    m_pToolName = new QPushButton(this);
    m_pToolName->setObjectName(QStringLiteral("toolName"));
    m_pToolName->setFlat(true);
    m_pToolName->setCursor(Qt::PointingHandCursor);
    m_pToolName->setMaximumWidth(180);
    nameRow->addWidget(m_pToolName);
    m_pAuthorLabel = new QLabel(this);
    m_pAuthorLabel->setObjectName(QStringLiteral("authorLabel"));
    m_pAuthorLabel->setFixedSize(24, 24);
    nameRow->addWidget(m_pAuthorLabel);
    nameRow->addStretch(1);
    layout->addLayout(nameRow);
    layout->addSpacing(4);

    m_pToolInfoTextedit = new QLabel(this);
    m_pToolInfoTextedit->setObjectName(QStringLiteral("toolInfoTextedit"));
    m_pToolInfoTextedit->setFixedSize(kDescriptionWidth, kDescriptionRoom);
    m_pToolInfoTextedit->setWordWrap(true);
    m_pToolInfoTextedit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_pToolInfoTextedit->setTextFormat(Qt::PlainText);
    m_pToolInfoTextedit->installEventFilter(this);
    layout->addWidget(m_pToolInfoTextedit, 0, Qt::AlignHCenter);
    m_pLogoLabel->installEventFilter(this);
    layout->addStretch(1);

    m_pFillerBtn = makeButton(this, "pushButton", QSize(100, 16));
    m_pFillerBtn->setStyleSheet(QStringLiteral("border:none;\nbackground-color: rgb(255, 255, 255);"));
    // Only keeps room; it must not take the focus or a click.
    m_pFillerBtn->setEnabled(false);
    m_pFillerBtn->setAccessibleName(tr("Spacer"));
    m_pFillerBtn->setFocusPolicy(Qt::NoFocus);
    m_pFillerBtn->setCursor(Qt::ArrowCursor);
    layout->addWidget(m_pFillerBtn, 0, Qt::AlignHCenter);

    m_pActionArea = new QWidget(this);
    m_pActionArea->setObjectName(QStringLiteral("widget"));
    m_pActionArea->setFixedSize(230, 35);
    auto* grid = new QGridLayout(m_pActionArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);
    m_pOpenBtn = makeButton(m_pActionArea, "OpenBtn", QSize(210, 32));
    m_pDownLoadBtn = makeButton(m_pActionArea, "downLoadBtn", QSize(210, 32));
    m_pProgressBar = new ProgressBar(m_pActionArea);
    m_pProgressBar->setObjectName(QStringLiteral("progressBar"));
    m_pProgressBar->setFixedSize(180, 14);
    m_pProgressBar->setRange(0, 100);
    m_pRefreshBtn = makeButton(m_pActionArea, "refreshBtn", QSize(24, 24));
    m_pCancelBtn = makeButton(m_pActionArea, "cancelBtn", QSize(24, 24));
    auto* progressRow = new QHBoxLayout;
    progressRow->setContentsMargins(0, 0, 0, 0);
    progressRow->setSpacing(2);
    progressRow->addStretch(1);
    progressRow->addWidget(m_pProgressBar);
    progressRow->addWidget(m_pRefreshBtn);
    progressRow->addWidget(m_pCancelBtn);
    progressRow->addStretch(1);
    // Bytes, speed and time left go under the bar; while they are hidden the
    // row sits centred as it always did.
    m_pTransferLabel = new TransferProgressLabel(m_pActionArea);
    // The area keeps its height: the row's 24 pixels leave 11 for the line.
    m_pTransferLabel->setFixedHeight(11);
    auto* progressColumn = new QVBoxLayout;
    progressColumn->setContentsMargins(0, 0, 0, 0);
    progressColumn->setSpacing(0);
    progressColumn->addStretch(1);
    progressColumn->addLayout(progressRow);
    progressColumn->addWidget(m_pTransferLabel);
    progressColumn->addStretch(1);
    grid->addWidget(m_pOpenBtn, 0, 0, Qt::AlignCenter);
    grid->addWidget(m_pDownLoadBtn, 0, 0, Qt::AlignCenter);
    grid->addLayout(progressColumn, 0, 0);
    layout->addWidget(m_pActionArea, 0, Qt::AlignHCenter);

    // The corner badge lies over the card, outside the layout.
    m_pNewStateLabel = new QLabel(this);
    m_pNewStateLabel->setObjectName(QStringLiteral("newStateLabel"));
    m_pNewStateLabel->setFixedSize(32, 32);
    m_pNewStateLabel->move(0, 0);
    m_pNewStateLabel->raise();
    m_pNewStateLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_pOpenBtn->setText(tr("Open"));
    m_pDownLoadBtn->setText(tr("Download"));
    m_pCancelBtn->setToolTip(tr("Cancel download"));
    m_pRefreshBtn->setToolTip(tr("Retry download"));
    m_pCancelBtn->setAccessibleName(tr("Cancel download"));
    m_pRefreshBtn->setAccessibleName(tr("Retry download"));
    m_pNewStateLabel->setAccessibleName(tr("New tool"));
    m_pAuthorLabel->setAccessibleName(tr("Sign-in required"));
    m_pAuthorLabel->setToolTip(tr("Sign-in required"));
}

void SubToolWidget::showTool(int iToolkey)
{
    if (iToolkey == m_iToolKey) {
        render();
        return;
    }
    m_iToolKey = iToolkey;
    // Nothing of the tool shown before stays: its look, its launch, its figures.
    m_bHasRecord = false;
    m_bLookShown = false;
    m_emLook = Look::NotInstalled;
    m_launcher = ToolLauncher();
    m_pTransferLabel->setActive(false);
    loadFromCatalog();
}

void SubToolWidget::loadFromCatalog()
{
    ToolDataManager* data = ToolDataManager::instance();
    const auto info = data->toolInfos().constFind(m_iToolKey);
    if (info == data->toolInfos().cend()) {
        // An empty card: nothing to show and nothing to press.
        const QList<QWidget*> parts{m_pNewStateLabel, m_pAuthorLabel, m_pToolName,   m_pOpenBtn,
                                    m_pDownLoadBtn,   m_pProgressBar, m_pRefreshBtn, m_pCancelBtn};
        for (QWidget* widget : parts)
            widget->hide();
        m_pLogoLabel->clear();
        m_pToolInfoTextedit->clear();
        return;
    }
    m_bHasRecord = true;
    m_pToolName->show();
    m_toolInfo = info.value();
    const ToolState state = data->toolStates().value(m_iToolKey);

    const QString name = data->toolName(m_iToolKey);
    m_pToolName->setText(name);
    m_pToolName->setAccessibleDescription(tr("Show details of %1").arg(name));
    m_qstrDescription = data->briefIntro(m_iToolKey);
    m_pToolInfoTextedit->setToolTip(m_qstrDescription);
    m_pToolInfoTextedit->setAccessibleName(m_qstrDescription);
    fitDescription();
    m_pDownLoadBtn->setAccessibleName(tr("Download %1").arg(name));
    m_pOpenBtn->setAccessibleName(tr("Open %1").arg(name));
    m_pCancelBtn->setAccessibleName(tr("Cancel download of %1").arg(name));
    m_pRefreshBtn->setAccessibleName(tr("Retry download of %1").arg(name));
    m_pProgressBar->setAccessibleName(tr("Download progress of %1").arg(name));
    m_pTransferLabel->setAccessibleName(tr("Transfer progress of %1").arg(name));
    m_pLogoLabel->setAccessibleName(tr("%1 logo").arg(name));

    const QString logoPath =
        data->baseDirectory() + QStringLiteral("/ToolsFile/Icon/") + m_toolInfo.IconMidName;
    m_pLogoLabel->setPixmap(
        PictureCache::instance().scaledToHeight(logoPath, 96, PictureCache::Placeholder::Icon));

    m_pNewStateLabel->setVisible(state.IsNewTools == 1);
    m_pAuthorLabel->setVisible(m_toolInfo.IsDown == 1);
    render();
}

void SubToolWidget::connectSignals()
{
    connect(m_pToolName, &QPushButton::clicked, this, &SubToolWidget::onShowMoreInfoWidget);
    connect(m_pDownLoadBtn, &QPushButton::clicked, this, &SubToolWidget::onDownloadTool);
    connect(m_pOpenBtn, &QPushButton::clicked, this, &SubToolWidget::onOpenTool);
    connect(m_pCancelBtn, &QPushButton::clicked, this, &SubToolWidget::onCancelDownload);
    connect(m_pRefreshBtn, &QPushButton::clicked, this, &SubToolWidget::onRefresh);
    connect(m_pTransfers, &ToolTransfer::signalTransfersChanged, this, &SubToolWidget::onTransfersChanged);
}

void SubToolWidget::setLook(Look emLook)
{
    // A new look starts clean; the same one keeps its bar and figures.
    if (emLook == m_emLook && m_bLookShown)
        return;
    m_bLookShown = true;
    m_emLook = emLook;
    const bool bBar = emLook == Look::Downloading || emLook == Look::Waiting || emLook == Look::Failed;
    m_pDownLoadBtn->setVisible(emLook == Look::NotInstalled);
    m_pOpenBtn->setVisible(emLook == Look::Installed);
    m_pProgressBar->setVisible(bBar);
    m_pCancelBtn->setVisible(bBar);
    m_pRefreshBtn->setVisible(emLook == Look::Failed);
    // Figures belong to a running download only: a queued, failed or
    // finished one shows none, and a new one starts without old figures.
    m_pTransferLabel->setActive(false);
    m_pTransferLabel->setActive(emLook == Look::Downloading);
    switch (emLook) {
    case Look::Downloading:
        m_pProgressBar->setValue(0);
        m_pProgressBar->setMode(ProgressBar::kPercentMode);
        m_pProgressBar->setChunkColor(kDownloadingColor);
        m_pProgressBar->setToolTip(QString());
        break;
    case Look::Waiting:
        m_pProgressBar->setValue(0);
        m_pProgressBar->setMode(ProgressBar::kWaitingMode);
        m_pProgressBar->setText(tr("Waiting..."));
        m_pProgressBar->setToolTip(QString());
        break;
    case Look::Failed:
        m_pProgressBar->setMode(ProgressBar::kFailureMode);
        m_pProgressBar->setText(tr("download fail"));
        m_pProgressBar->setChunkColor(kFailedColor);
        break;
    case Look::NotInstalled:
    case Look::Installed:
        break;
    }
}

void SubToolWidget::render()
{
    if (!m_bHasRecord)
        return;
    const TransferRecord record = m_pTransfers->record(m_iToolKey);
    switch (record.state) {
    case TransferState::Waiting:
        setLook(Look::Waiting);
        break;
    case TransferState::Downloading:
    case TransferState::Unpacking:
        setLook(Look::Downloading);
        m_pProgressBar->setValue(record.cappedPercent());
        m_pTransferLabel->showProgress(record.figures);
        break;
    case TransferState::Failed:
        setLook(Look::Failed);
        m_pProgressBar->setValue(record.cappedPercent());
        m_pProgressBar->setToolTip(TransferFailure::text(record, TransferFailure::Wording::Card));
        break;
    case TransferState::Idle:
    case TransferState::Done:
    case TransferState::Cancelling: {
        const bool bInstalled = ToolDataManager::instance()->toolStates().value(m_iToolKey).IsDownload == 1;
        setLook(bInstalled ? Look::Installed : Look::NotInstalled);
        m_pProgressBar->setValue(0);
        break;
    }
    }
}

void SubToolWidget::onTransfersChanged(QVector<int> toolKeys)
{
    if (toolKeys.contains(m_iToolKey))
        render();
}

void SubToolWidget::onToolDeleted(int iToolkey)
{
    if (iToolkey == m_iToolKey)
        render();
}

bool SubToolWidget::passSignIn()
{
    // Not a child of this card: the card may be deleted while the user signs in.
    QPointer<SubToolWidget> self(this);
    SignInGate gate(this);
    connect(&gate, &SignInGate::signalCover, this, &SubToolWidget::signalCover);
    ++m_iBusy;
    const bool bPassed = gate.pass(m_iToolKey);
    if (!self)
        return false;
    --m_iBusy;
    return bPassed;
}

void SubToolWidget::showNotice(const QString& qstrText, QWidget* pParent)
{
    QPointer<SubToolWidget> self(this);
    ++m_iBusy;
    emit signalCover(true);
    TipDialog::showTip(kNoticeIcon, qstrText, tr("OK"), tr("Cancel"), false, pParent);
    if (!self)
        return;
    --m_iBusy;
    emit signalCover(false);
}

void SubToolWidget::onShowMoreInfoWidget()
{
    emit signalShowMoreInfoWidget(m_iToolKey);
}

void SubToolWidget::onDownloadTool()
{
    if (!m_bHasRecord)
        return;
    const QString path = ConfigManager::instance()->downloadPath();
    if (path.isEmpty()) {
        showNotice(tr("Please set downlaod path at system setting page."), this);
        return;
    }
    const double freeGiB = toolaction::freeSpaceOf(path);
    if (static_cast<double>(m_toolInfo.ToolSize) > freeGiB * 1024.0) {
        showNotice(tr("Disk free space little than tool Size, please modify download Path."),
                   crestui::GetIndependentWindow(this));
        return;
    }
    if (!passSignIn())
        return;
    m_pTransfers->downloadTool(m_iToolKey);
}

void SubToolWidget::onRefresh()
{
    if (m_bHasRecord)
        m_pTransfers->downloadTool(m_iToolKey);
}

void SubToolWidget::onOpenTool()
{
    if (!m_bHasRecord || !passSignIn())
        return;
    if (ToolLauncher::isRunning(m_iToolKey)) {
        showNotice(ToolDataManager::instance()->toolName(m_iToolKey) + QLatin1Char(' ') +
                       tr("Software already opened."),
                   this);
        return;
    }
    if (!ToolLauncher::executableExists(m_iToolKey)) {
        qCDebug(lcPages) << "Exe not exist";
        onDownloadTool();
        return;
    }
    m_launcher.launch(m_iToolKey);
}

void SubToolWidget::onCancelDownload()
{
    if (m_bHasRecord)
        m_pTransfers->cancel(m_iToolKey);
}

void SubToolWidget::fitDescription()
{
    // Whole lines only: a line cut at the label's edge loses its descenders
    // (g, y, p), or shows as a sliver of tops.
    m_pToolInfoTextedit->ensurePolished();
    const QFont font = m_pToolInfoTextedit->font();
    const int lineHeight = QFontMetrics(font).lineSpacing();
    const int lines = qBound(1, kDescriptionRoom / qMax(1, lineHeight), kMostDescriptionLines);
    m_pToolInfoTextedit->setFixedHeight(qMin(kDescriptionRoom, lines * lineHeight));
    m_pToolInfoTextedit->setText(fitToLines(m_qstrDescription, font, kDescriptionWidth, lines));
}

bool SubToolWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pLogoLabel && event->type() == QEvent::MouseButtonRelease && m_bHasRecord)
        emit signalShowMoreInfoWidget(m_iToolKey);
    // A style sheet applied later brings the pages' font size.
    if (watched == m_pToolInfoTextedit && event->type() == QEvent::FontChange && m_bHasRecord)
        fitDescription();
    return QWidget::eventFilter(watched, event);
}

void SubToolWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void SubToolWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        switch (m_emLook) {
        case Look::NotInstalled:
            onDownloadTool();
            return;
        case Look::Installed:
            onOpenTool();
            return;
        case Look::Failed:
            onRefresh();
            return;
        case Look::Downloading:
        case Look::Waiting:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void SubToolWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void SubToolWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace gearmart
