#pragma once

#include <QString>
#include <QWidget>

namespace crestui {
class IconButton;
}

namespace gearmart {

// One thumbnail beside the banner: a small picture that stands for a tool.
// Hovering it shows the tool's large picture; clicking it opens the tool.
class BannerIndicatorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BannerIndicatorWidget(QWidget* parent = nullptr);

    int key() const { return m_iKey; }
    QString picturePath() const { return m_qstrPicturePath; }
    // Shows the picture (through the picture cache) for the tool key.
    void setPicture(int iKey, const QString& qstrPicturePath);
    crestui::IconButton* pictureButton() const { return m_pPicBtn; }

signals:
    void signalShowMaxPic(int iKey);
    void signalClicked(int iKey);

protected:
    void enterEvent(QEvent* event) override;

private:
    crestui::IconButton* m_pPicBtn = nullptr;
    int m_iKey = -1;
    QString m_qstrPicturePath;
};

} // namespace gearmart
