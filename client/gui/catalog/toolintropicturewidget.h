#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QWidget>

class QFrame;
class QPushButton;
class QTimer;

namespace crestui {
class IconButton;
}

namespace gearmart {

class BannerIndicatorWidget;

// The catalog's banner: a large picture of a featured tool beside three
// thumbnails, turning to the next tool every few seconds. Pictures come from
// ToolsFile/BannerImages/<zh|en>/ as "<tool key>_min.png" and
// "<tool key>_max.png"; fewer than four tools leave the banner empty.
class ToolIntroPictureWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDefaultRotationInterval = 5000;
    static constexpr int kThumbnailCount = 3;
    // The narrowest the page gets in the smallest window.
    static constexpr int kMinimumWidth = 940;

    explicit ToolIntroPictureWidget(QWidget* parent = nullptr);

    // The folder the pictures are read from, for the current language.
    static QString bannerFolder();

    bool isFilled() const { return !m_thumbnails.isEmpty(); }
    const QMap<int, QString>& smallPictures() const { return m_mapSmallPictures; }
    const QMap<int, QString>& largePictures() const { return m_mapLargePictures; }
    // The tool whose large picture shows; -1 while empty.
    int shownKey() const { return m_iShownKey; }
    QList<int> thumbnailKeys() const;
    const QList<BannerIndicatorWidget*>& thumbnails() const { return m_thumbnails; }
    crestui::IconButton* largePicture() const { return m_pPicMax; }
    // Null while the banner is empty.
    QPushButton* switchButton() const { return m_pSwitchBtn; }

    // Time between two turns; tests shorten it.
    void setRotationInterval(int iMilliseconds);
    int rotationInterval() const;
    bool isRotating() const;

signals:
    void signalClicked(int iKey);

public slots:
    // The next tool: the thumbnails move up by one, the large picture
    // advances by one.
    void onRotate();

private slots:
    void onShowMaxPic(int iKey);
    void onSwitch();

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeSwitchButton();
    void readPictures();
    void fill();
    void showLarge(int iKey);

    crestui::IconButton* m_pPicMax = nullptr;
    QFrame* m_pFrame = nullptr;
    QWidget* m_pIndicatorWidget = nullptr;
    QList<BannerIndicatorWidget*> m_thumbnails;
    QPushButton* m_pSwitchBtn = nullptr;
    QTimer* m_pRotationTimer = nullptr;
    QMap<int, QString> m_mapSmallPictures;
    QMap<int, QString> m_mapLargePictures;
    int m_iShownKey = -1;
};

} // namespace gearmart
