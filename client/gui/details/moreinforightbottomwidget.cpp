#include "details/moreinforightbottomwidget.h"

#include "common/picturecache.h"
#include "config/configmanager.h"
#include "details/bubleshapeframe.h"
#include "details/exhibitorthumbnail.h"
#include "tooldata/tooldatamanager.h"

#include <QButtonGroup>
#include <QPainter>
#include <QStyleOption>

namespace gearmart {

MoreInfoRightBottomWidget::MoreInfoRightBottomWidget(const ToolInfo& record, QWidget* parent)
    : QWidget(parent), m_thumbnailFrame(new QWidget(this)), m_pMultiLabelExhibitor(new BubleShapeFrame(this)),
      m_pThumbnailGroup(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("MoreInfoRightBottomWidget"));
    setFixedSize(kWidth, kHeight);
    loadPictures(record);

    m_pMultiLabelExhibitor->move(0, 0);
    m_pMultiLabelExhibitor->setPictures(m_pictures);

    m_thumbnailFrame->setObjectName(QStringLiteral("m_thumbnailFrame"));
    buildThumbnails(ToolDataManager::instance()->toolName(record.ToolKey));
    // The strip overlaps the viewer's empty bottom edge; it must get the clicks.
    m_thumbnailFrame->raise();

    connect(m_pMultiLabelExhibitor, &BubleShapeFrame::signalThumbnailIndexChanged, this,
            &MoreInfoRightBottomWidget::onThumbnailIndexChanged);
    if (m_iPictureCount > 0) {
        // The first picture shows from the start; its thumbnail says so.
        onThumbnailIndexChanged(0);
    }
}

QString MoreInfoRightBottomWidget::picturePath(const ToolInfo& record, int iIndex)
{
    const QString language =
        ConfigManager::instance()->language() == 1 ? QStringLiteral("/CH/") : QStringLiteral("/EN/");
    return ToolDataManager::instance()->baseDirectory() + QStringLiteral("/ToolsFile/DetailImages/") +
           record.ToolENName + language + record.ToolENName + QLatin1Char('_') + QString::number(iIndex) +
           QStringLiteral(".png");
}

QString MoreInfoRightBottomWidget::selectedStyleSheet(const QString& qstrName)
{
    return QStringLiteral(
               "QAbstractButton#%1             {                 background:#E0E0E0;             }")
        .arg(qstrName);
}

QString MoreInfoRightBottomWidget::unselectedStyleSheet(const QString& qstrName)
{
    return QStringLiteral(
               "QAbstractButton#%1             {                 background:#transparent;             }")
        .arg(qstrName);
}

void MoreInfoRightBottomWidget::loadPictures(const ToolInfo& record)
{
    // A negative count from a damaged catalog means no pictures.
    m_iPictureCount = qMax(0, record.DetailImagesNum);
    for (int i = 0; i < m_iPictureCount; ++i) {
        // A missing file keeps its place with the placeholder, so indexes
        // of pictures and thumbnails stay aligned.
        m_pictures.append(
            PictureCache::instance().picture(picturePath(record, i), PictureCache::Placeholder::Picture));
    }
}

void MoreInfoRightBottomWidget::buildThumbnails(const QString& qstrToolName)
{
    const int stripWidth = m_iPictureCount * ExhibitorThumbnail::kWidth;
    m_thumbnailFrame->setGeometry((kWidth - stripWidth) / 2, kHeight - ExhibitorThumbnail::kHeight,
                                  stripWidth, ExhibitorThumbnail::kHeight);
    QVector<qreal> pointers;
    for (int i = 0; i < m_iPictureCount; ++i) {
        auto* thumbnail = new ExhibitorThumbnail(i, m_pictures.at(i), qstrToolName, m_thumbnailFrame);
        thumbnail->move(i * ExhibitorThumbnail::kWidth, 0);
        thumbnail->setStyleSheet(QStringLiteral("QAbstractButton#%1             {                 "
                                                "background:transparent;             }")
                                     .arg(thumbnail->objectName()));
        m_pThumbnailGroup->addButton(thumbnail, i);
        connect(thumbnail, &QAbstractButton::clicked, m_pMultiLabelExhibitor,
                &BubleShapeFrame::onSolveButtonClick);
        m_thumbnails.append(thumbnail);
        pointers.append(m_thumbnailFrame->x() + i * ExhibitorThumbnail::kWidth +
                        ExhibitorThumbnail::kWidth / 2.0);
    }
    m_pMultiLabelExhibitor->setPointerPositions(pointers);
}

void MoreInfoRightBottomWidget::onThumbnailIndexChanged(int index)
{
    for (ExhibitorThumbnail* thumbnail : qAsConst(m_thumbnails)) {
        const QString name = thumbnail->objectName();
        thumbnail->setStyleSheet(thumbnail->index() == index ? selectedStyleSheet(name)
                                                             : unselectedStyleSheet(name));
    }
}

void MoreInfoRightBottomWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
