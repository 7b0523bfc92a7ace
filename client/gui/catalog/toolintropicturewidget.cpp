#include "catalog/toolintropicturewidget.h"

#include "catalog/bannerindicatorwidget.h"
#include "catalog/bannerpicture.h"
#include "common/picturecache.h"
#include "config/configmanager.h"
#include "panelcraft/iconbutton.h"
#include "tooldata/tooldatamanager.h"

#include <QDir>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace gearmart {

namespace {

// From the frame's left edge.
const QPoint kSwitchButtonPos(117, 248);
constexpr int kFrameWidth = 278;

// The key after iKey in the map's order, the first after the last.
int keyAfter(const QMap<int, QString>& map, int iKey)
{
    if (map.isEmpty())
        return -1;
    const auto next = map.upperBound(iKey);
    return next == map.cend() ? map.firstKey() : next.key();
}

} // namespace

ToolIntroPictureWidget::ToolIntroPictureWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ToolIntroPictureWidget"));
    // As wide as the page: the picture takes what the thumbnails leave.
    setFixedHeight(282);
    setMinimumWidth(kMinimumWidth);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    m_pPicMax = new BannerPicture(this);
    m_pPicMax->setObjectName(QStringLiteral("picMax"));
    m_pPicMax->setFixedHeight(280);
    m_pPicMax->setMinimumWidth(kMinimumWidth - 284);
    m_pPicMax->setCursor(Qt::PointingHandCursor);
    m_pPicMax->setAccessibleName(tr("Featured tool"));
    layout->addWidget(m_pPicMax, 1, Qt::AlignTop);

    m_pFrame = new QFrame(this);
    m_pFrame->setObjectName(QStringLiteral("frame"));
    m_pFrame->setFixedSize(kFrameWidth, 282);
    auto* frameLayout = new QVBoxLayout(m_pFrame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->setSpacing(0);
    m_pIndicatorWidget = new QWidget(m_pFrame);
    m_pIndicatorWidget->setObjectName(QStringLiteral("indicatorWidget"));
    frameLayout->addWidget(m_pIndicatorWidget);
    layout->addWidget(m_pFrame, 0, Qt::AlignTop);

    m_pRotationTimer = new QTimer(this);
    m_pRotationTimer->setInterval(kDefaultRotationInterval);
    connect(m_pRotationTimer, &QTimer::timeout, this, &ToolIntroPictureWidget::onRotate);
    connect(m_pPicMax, &crestui::IconButton::clicked, this, [this] {
        if (m_iShownKey >= 0)
            emit signalClicked(m_iShownKey);
    });

    readPictures();
    fill();
}

QString ToolIntroPictureWidget::bannerFolder()
{
    const QString language =
        ConfigManager::instance()->language() == 1 ? QStringLiteral("zh") : QStringLiteral("en");
    return ToolDataManager::instance()->baseDirectory() + QStringLiteral("/ToolsFile/BannerImages/") +
           language;
}

void ToolIntroPictureWidget::readPictures()
{
    const QDir folder(bannerFolder());
    if (!folder.exists())
        return;
    const QStringList names = folder.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QStringList parts = name.split(QLatin1Char('_'));
        if (parts.size() != 2)
            continue;
        const int key = parts.first().toInt();
        if (key < 2)
            continue;
        // Each tool needs both pictures; a stray one makes the counts differ
        // and leaves the banner empty rather than half drawn.
        if (parts.last() == QLatin1String("min.png"))
            m_mapSmallPictures.insert(key, folder.filePath(name));
        else if (parts.last() == QLatin1String("max.png"))
            m_mapLargePictures.insert(key, folder.filePath(name));
    }
}

void ToolIntroPictureWidget::fill()
{
    if (m_mapSmallPictures.size() != m_mapLargePictures.size() ||
        m_mapSmallPictures.size() <= kThumbnailCount)
        return;
    auto* indicatorLayout = new QVBoxLayout(m_pIndicatorWidget);
    indicatorLayout->setContentsMargins(0, 0, 0, 0);
    indicatorLayout->setSpacing(0);
    auto key = m_mapSmallPictures.cbegin();
    for (int i = 0; i < kThumbnailCount; ++i, ++key) {
        auto* thumbnail = new BannerIndicatorWidget(m_pIndicatorWidget);
        thumbnail->setPicture(key.key(), key.value());
        indicatorLayout->addWidget(thumbnail);
        m_thumbnails.append(thumbnail);
        connect(thumbnail, &BannerIndicatorWidget::signalShowMaxPic, this,
                &ToolIntroPictureWidget::onShowMaxPic);
        connect(thumbnail, &BannerIndicatorWidget::signalClicked, this,
                &ToolIntroPictureWidget::signalClicked);
    }
    showLarge(m_mapLargePictures.firstKey());

    m_pSwitchBtn = new QPushButton(this);
    m_pSwitchBtn->setObjectName(QStringLiteral("m_pSwitchBtn"));
    m_pSwitchBtn->setFixedSize(32, 32);
    m_pSwitchBtn->setCursor(Qt::PointingHandCursor);
    m_pSwitchBtn->setAccessibleName(tr("Next picture"));
    m_pSwitchBtn->setToolTip(tr("Next picture"));
    placeSwitchButton();
    m_pSwitchBtn->hide();
    connect(m_pSwitchBtn, &QPushButton::clicked, this, &ToolIntroPictureWidget::onSwitch);

    auto* shadow = new QGraphicsDropShadowEffect(m_pFrame);
    shadow->setOffset(-2, 0);
    shadow->setColor(QColor(QStringLiteral("#d5d8d8")));
    shadow->setBlurRadius(2);
    m_pFrame->setGraphicsEffect(shadow);
    m_pFrame->setAttribute(Qt::WA_TranslucentBackground);

    m_pRotationTimer->start();
}

QList<int> ToolIntroPictureWidget::thumbnailKeys() const
{
    QList<int> keys;
    for (const BannerIndicatorWidget* thumbnail : m_thumbnails)
        keys.append(thumbnail->key());
    return keys;
}

void ToolIntroPictureWidget::setRotationInterval(int iMilliseconds)
{
    m_pRotationTimer->setInterval(iMilliseconds);
}

int ToolIntroPictureWidget::rotationInterval() const
{
    return m_pRotationTimer->interval();
}

bool ToolIntroPictureWidget::isRotating() const
{
    return m_pRotationTimer->isActive();
}

void ToolIntroPictureWidget::showLarge(int iKey)
{
    m_iShownKey = iKey;
    m_pPicMax->SetPixmap(
        PictureCache::instance().picture(m_mapLargePictures.value(iKey), PictureCache::Placeholder::Picture));
    const QString name = ToolDataManager::instance()->toolName(iKey);
    m_pPicMax->setAccessibleName(tr("Show %1").arg(name.isEmpty() ? QString::number(iKey) : name));
}

void ToolIntroPictureWidget::onRotate()
{
    if (!isFilled())
        return;
    for (int i = 0; i + 1 < m_thumbnails.size(); ++i) {
        const BannerIndicatorWidget* next = m_thumbnails.at(i + 1);
        m_thumbnails.at(i)->setPicture(next->key(), next->picturePath());
    }
    BannerIndicatorWidget* last = m_thumbnails.last();
    const int lastKey = keyAfter(m_mapSmallPictures, last->key());
    last->setPicture(lastKey, m_mapSmallPictures.value(lastKey));
    showLarge(keyAfter(m_mapLargePictures, m_iShownKey));
}

void ToolIntroPictureWidget::onSwitch()
{
    onRotate();
    if (isFilled())
        m_pRotationTimer->start();
}

void ToolIntroPictureWidget::onShowMaxPic(int iKey)
{
    showLarge(iKey);
}

void ToolIntroPictureWidget::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    if (m_pSwitchBtn) {
        m_pSwitchBtn->show();
        m_pSwitchBtn->raise();
    }
}

void ToolIntroPictureWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (m_pSwitchBtn)
        m_pSwitchBtn->hide();
}

void ToolIntroPictureWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeSwitchButton();
}

void ToolIntroPictureWidget::placeSwitchButton()
{
    // Under the thumbnails, wherever the frame lands.
    if (m_pSwitchBtn)
        m_pSwitchBtn->move(m_pFrame->geometry().right() + 1 - kFrameWidth + kSwitchButtonPos.x(),
                           kSwitchButtonPos.y());
}

} // namespace gearmart
