#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QScrollArea;

namespace gearmart {

class ToolIntroPictureWidget;
class ToolTransfer;
class ToolTypeWidget;
class ToosListWidget;

// The catalog page: the banner of featured tools, the type bar with the
// categories and the search field that sticks to the top once the banner
// has scrolled away, and every tool, or those the search and the category
// let through, as a card.
// Passes the cards' requests for the details page and the cover up, and a
// tool deleted on the my-tools board down to its card.
class ToolDownloadWidget : public QWidget
{
    Q_OBJECT

public:
    static QString foldStyle();
    static QString unfoldStyle();

    explicit ToolDownloadWidget(ToolTransfer* transfers, QWidget* parent = nullptr);

    bool isBannerFolded() const { return m_bBannerFolded; }
    QScrollArea* scrollArea() const { return m_pScrollArea; }
    QWidget* bannerHolder() const { return m_pPicWidget; }
    QWidget* typeBarPlace() const { return m_pTypePlace; }
    ToolIntroPictureWidget* banner() const { return m_pBanner; }
    ToolTypeWidget* typeBar() const { return m_pToolTypeWidget; }
    QPushButton* foldButton() const { return m_pExpendBtn; }
    ToosListWidget* listWidget() const { return m_pListWidget; }

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalCover(bool bCover);
    // In: a tool deleted on the my-tools board.
    void signalToolDeleted(int iToolkey);

private slots:
    void onFoldClicked();
    void onScrolled(int iValue);
    void onSearchChanged(const QString& qstrText);
    void onCategoryChosen(int iCategory);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm(ToolTransfer* transfers);
    void connectSignals();
    void placeFloatingControls();
    int bannerBottom() const;
    // After the matches changed: a page scrolled into the grid goes back
    // to its first row, which is where the matches begin.
    void showMatchesFromTop();

    QScrollArea* m_pScrollArea = nullptr;
    QWidget* m_pContents = nullptr;
    QWidget* m_pPicWidget = nullptr;
    QWidget* m_pTypePlace = nullptr;
    QWidget* m_pToolWidget = nullptr;
    ToolIntroPictureWidget* m_pBanner = nullptr;
    ToosListWidget* m_pListWidget = nullptr;
    QPushButton* m_pExpendBtn = nullptr;
    ToolTypeWidget* m_pToolTypeWidget = nullptr;
    bool m_bBannerFolded = false;
};

} // namespace gearmart
