#pragma once

#include "tooldata/toolinfo.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

class QButtonGroup;

namespace gearmart {

class BubleShapeFrame;
class ExhibitorThumbnail;

// The tool's detail pictures: the picture viewer above a centred strip of
// thumbnails, one per picture.
class MoreInfoRightBottomWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 768;
    static constexpr int kHeight = 486;

    explicit MoreInfoRightBottomWidget(const ToolInfo& record, QWidget* parent = nullptr);

    int pictureCount() const { return m_iPictureCount; }
    const QList<QPixmap>& pictures() const { return m_pictures; }
    BubleShapeFrame* exhibitor() const { return m_pMultiLabelExhibitor; }
    QWidget* thumbnailFrame() const { return m_thumbnailFrame; }
    QList<ExhibitorThumbnail*> thumbnails() const { return m_thumbnails; }

    // Detail picture i of the tool, in the folder of the interface language.
    static QString picturePath(const ToolInfo& record, int iIndex);

    static QString selectedStyleSheet(const QString& qstrName);
    static QString unselectedStyleSheet(const QString& qstrName);

public slots:
    void onThumbnailIndexChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void loadPictures(const ToolInfo& record);
    void buildThumbnails(const QString& qstrToolName);

    int m_iPictureCount = 0;
    QList<QPixmap> m_pictures;
    QWidget* m_thumbnailFrame;
    BubleShapeFrame* m_pMultiLabelExhibitor;
    QButtonGroup* m_pThumbnailGroup;
    QList<ExhibitorThumbnail*> m_thumbnails;
};

} // namespace gearmart
