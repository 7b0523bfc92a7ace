#include "catalog/tooldownloadwidget.h"

#include "catalog/toolintropicturewidget.h"
#include "catalog/toolswiget.h"
#include "catalog/tooltypewidget.h"
#include "catalog/tooslistwidget.h"
#include "common/toolsearchfield.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOption>
#include <QVBoxLayout>

namespace gearmart {

namespace {

constexpr int kBannerHeight = 282;
constexpr int kTypePlaceHeight = 68;
constexpr int kFoldedTypePlaceHeight = 56;
constexpr int kTypeBarGap = 12;
// Folded, the bar starts to follow the scrolling from this value on.
constexpr int kFoldedStickAt = 13;

QString foldButtonStyle(const char* picture)
{
    return QStringLiteral("QPushButton{border-image:url(:/Gearmart/Image/Gearmatt/icon/") +
           QLatin1String(picture) +
           QStringLiteral(
               ");}QPushButton:hover{background: #ebebeb;}QPushButton:pressed{background: #e0e0e0;}");
}

} // namespace

QString ToolDownloadWidget::foldStyle()
{
    return foldButtonStyle("ic_fold.png");
}

QString ToolDownloadWidget::unfoldStyle()
{
    return foldButtonStyle("ic_unfold.png");
}

ToolDownloadWidget::ToolDownloadWidget(ToolTransfer* transfers, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ToolDownloadWidget"));
    resize(892, 678);
    buildForm(transfers);
    connectSignals();
    m_pToolTypeWidget->move(m_pPicWidget->x() + 8, m_pPicWidget->height() + kTypeBarGap);
    placeFloatingControls();
}

void ToolDownloadWidget::buildForm(ToolTransfer* transfers)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pScrollArea = new QScrollArea(this);
    m_pScrollArea->setObjectName(QStringLiteral("scrollArea"));
    m_pScrollArea->setWidgetResizable(true);
    m_pScrollArea->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_pScrollArea);

    m_pContents = new QWidget;
    m_pContents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    auto* contentsLayout = new QVBoxLayout(m_pContents);
    contentsLayout->setContentsMargins(0, 0, 0, 0);
    contentsLayout->setSpacing(0);

    m_pPicWidget = new QWidget(m_pContents);
    m_pPicWidget->setObjectName(QStringLiteral("picWidget"));
    m_pPicWidget->setFixedHeight(kBannerHeight);
    auto* picLayout = new QHBoxLayout(m_pPicWidget);
    picLayout->setContentsMargins(0, 0, 0, 0);
    m_pBanner = new ToolIntroPictureWidget(m_pPicWidget);
    picLayout->addWidget(m_pBanner, 1, Qt::AlignTop);
    contentsLayout->addWidget(m_pPicWidget);

    m_pTypePlace = new QWidget(m_pContents);
    m_pTypePlace->setObjectName(QStringLiteral("widget"));
    m_pTypePlace->setFixedHeight(kTypePlaceHeight);
    contentsLayout->addWidget(m_pTypePlace);

    m_pToolWidget = new QWidget(m_pContents);
    m_pToolWidget->setObjectName(QStringLiteral("toolWidget"));
    auto* toolLayout = new QGridLayout(m_pToolWidget);
    toolLayout->setContentsMargins(0, 0, 0, 0);
    m_pListWidget = new ToosListWidget(transfers, m_pToolWidget);
    toolLayout->addWidget(m_pListWidget, 0, 0);
    contentsLayout->addWidget(m_pToolWidget, 1);
    m_pScrollArea->setWidget(m_pContents);

    m_pExpendBtn = new QPushButton(m_pContents);
    m_pExpendBtn->setObjectName(QStringLiteral("m_pExpendBtn"));
    m_pExpendBtn->setFixedSize(24, 24);
    m_pExpendBtn->setCursor(Qt::PointingHandCursor);
    m_pExpendBtn->setStyleSheet(foldStyle());
    m_pExpendBtn->setAccessibleName(tr("Fold banner"));
    m_pExpendBtn->setToolTip(tr("Fold banner"));

    m_pToolTypeWidget = new ToolTypeWidget(m_pContents);
    m_pToolTypeWidget->setObjectName(QStringLiteral("m_pToolTypeWidget"));
    const ToolsWiget* grid = m_pListWidget->toolsWidget();
    m_pToolTypeWidget->setCategories(grid->filter().categories(), grid->toolKeys().size());
    m_pToolTypeWidget->searchField()->takeFindShortcutOf(this);
    m_pToolTypeWidget->raise();
    m_pExpendBtn->raise();

    m_pContents->installEventFilter(this);
    m_pPicWidget->installEventFilter(this);
}

void ToolDownloadWidget::connectSignals()
{
    connect(m_pExpendBtn, &QPushButton::clicked, this, &ToolDownloadWidget::onFoldClicked);
    connect(m_pScrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ToolDownloadWidget::onScrolled);
    connect(m_pBanner, &ToolIntroPictureWidget::signalClicked, this,
            &ToolDownloadWidget::signalShowMoreInfoWidget);

    connect(m_pListWidget, &ToosListWidget::signalShowMoreInfoWidget, this,
            &ToolDownloadWidget::signalShowMoreInfoWidget);
    connect(m_pListWidget, &ToosListWidget::signalCover, this, &ToolDownloadWidget::signalCover);
    connect(this, &ToolDownloadWidget::signalToolDeleted, m_pListWidget, &ToosListWidget::signalToolDeleted);

    ToolSearchField* search = m_pToolTypeWidget->searchField();
    connect(search, &QLineEdit::textChanged, this, &ToolDownloadWidget::onSearchChanged);
    connect(m_pToolTypeWidget, &ToolTypeWidget::signalCategoryChosen, this,
            &ToolDownloadWidget::onCategoryChosen);
    connect(m_pListWidget, &ToosListWidget::signalClearSearch, search, [search] {
        search->clear();
        search->setFocus(Qt::OtherFocusReason);
    });
}

void ToolDownloadWidget::onSearchChanged(const QString& qstrText)
{
    m_pListWidget->toolsWidget()->setSearchText(qstrText);
    showMatchesFromTop();
}

void ToolDownloadWidget::onCategoryChosen(int iCategory)
{
    m_pListWidget->toolsWidget()->setCategory(iCategory == ToolTypeWidget::kAll ? std::optional<int>()
                                                                                : std::optional<int>(iCategory));
    showMatchesFromTop();
}

void ToolDownloadWidget::showMatchesFromTop()
{
    QScrollBar* scrollBar = m_pScrollArea->verticalScrollBar();
    if (scrollBar->value() > m_pTypePlace->y())
        scrollBar->setValue(m_pTypePlace->y());
}

int ToolDownloadWidget::bannerBottom() const
{
    return m_pPicWidget->height() + kTypeBarGap;
}

void ToolDownloadWidget::placeFloatingControls()
{
    // The banner holder spans the contents; hidden, its geometry goes stale.
    const int holderX = m_pPicWidget->x();
    const int holderWidth = m_pContents->width() - holderX;
    m_pExpendBtn->move(holderX + holderWidth - 32, 10);
    m_pToolTypeWidget->setFixedWidth(qMax(0, holderWidth - 8));
    m_pToolTypeWidget->raise();
    m_pExpendBtn->raise();
}

void ToolDownloadWidget::onFoldClicked()
{
    QScrollBar* scrollBar = m_pScrollArea->verticalScrollBar();
    if (!m_bBannerFolded) {
        m_bBannerFolded = true;
        m_pExpendBtn->setStyleSheet(unfoldStyle());
        m_pExpendBtn->setAccessibleName(tr("Unfold banner"));
        m_pExpendBtn->setToolTip(tr("Unfold banner"));
        m_pPicWidget->hide();
        m_pToolTypeWidget->move(m_pPicWidget->x() + 8, scrollBar->value());
        m_pTypePlace->setFixedHeight(kFoldedTypePlaceHeight);
    } else {
        m_bBannerFolded = false;
        m_pExpendBtn->setStyleSheet(foldStyle());
        m_pExpendBtn->setAccessibleName(tr("Fold banner"));
        m_pExpendBtn->setToolTip(tr("Fold banner"));
        m_pPicWidget->show();
        scrollBar->setValue(0);
        m_pToolTypeWidget->move(m_pPicWidget->x() + 8, bannerBottom());
        m_pTypePlace->setFixedHeight(kTypePlaceHeight);
    }
    placeFloatingControls();
}

void ToolDownloadWidget::onScrolled(int iValue)
{
    int y = 0;
    if (!m_bBannerFolded) {
        y = iValue > bannerBottom() ? iValue : bannerBottom();
        m_pTypePlace->setFixedHeight(kTypePlaceHeight);
    } else {
        y = iValue >= kFoldedStickAt ? iValue : 0;
        m_pTypePlace->setFixedHeight(kFoldedTypePlaceHeight);
    }
    m_pToolTypeWidget->move(m_pPicWidget->x() + 8, y);
}

bool ToolDownloadWidget::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_pContents || watched == m_pPicWidget) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeFloatingControls();
    return QWidget::eventFilter(watched, event);
}

void ToolDownloadWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeFloatingControls();
}

void ToolDownloadWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
