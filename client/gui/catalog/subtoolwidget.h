#pragma once

#include "launch/toollauncher.h"
#include "tooldata/toolinfo.h"

#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace gearmart {

class ProgressBar;
class ToolTransfer;
class TransferProgressLabel;

// The catalog's tile for one tool: logo, name, description, badges and an
// action area that is a Download button, an Open button or a progress bar
// with cancel and retry. Its looks render the tool's transfer; its clicks
// go to the transfer model.
class SubToolWidget : public QWidget
{
    Q_OBJECT

public:
    enum class Look
    {
        NotInstalled,
        Installed,
        Downloading,
        Waiting,
        Failed
    };

    SubToolWidget(int toolKey, ToolTransfer* transfers, QWidget* parent = nullptr);

    // The card shows another tool, as a card made for it would: a grid
    // reuses the cards scrolled out of view rather than make new ones.
    void showTool(int iToolkey);

    int toolKey() const { return m_iToolKey; }
    bool hasRecord() const { return m_bHasRecord; }
    Look look() const { return m_emLook; }
    const ToolLauncher& launcher() const { return m_launcher; }
    // While it waits for a sign-in or a message, the card must not go away.
    bool isBusy() const { return m_iBusy > 0; }

    // The free-space measure (GiB of the volume holding a path); tests
    // replace it. An empty function restores the real one.
    static void setFreeSpaceFunctionForTesting(std::function<double(const QString&)> function);

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalCover(bool bCover);

public slots:
    // The tool was deleted on the my-tools board.
    void onToolDeleted(int iToolkey);

private slots:
    void onShowMoreInfoWidget();
    void onDownloadTool();
    void onOpenTool();
    void onCancelDownload();
    void onRefresh();
    void onTransfersChanged(QVector<int> toolKeys);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Enter runs the card's main action: download, open or retry.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void buildForm();
    void loadFromCatalog();
    void connectSignals();
    void setLook(Look emLook);
    void render();
    // False when the gate refused or this card went away meanwhile.
    bool passSignIn();
    void showNotice(const QString& qstrText, QWidget* pParent);
    // The description in as many whole lines as the card has room for.
    void fitDescription();

    int m_iToolKey;
    ToolTransfer* m_pTransfers;
    bool m_bHasRecord = false;
    ToolInfo m_toolInfo;
    QString m_qstrDescription;
    Look m_emLook = Look::NotInstalled;
    bool m_bLookShown = false;
    int m_iBusy = 0;
    ToolLauncher m_launcher;

    QLabel* m_pNewStateLabel = nullptr;
    QLabel* m_pLogoLabel = nullptr;
    QPushButton* m_pToolName = nullptr;
    QLabel* m_pAuthorLabel = nullptr;
    QLabel* m_pToolInfoTextedit = nullptr;
    QWidget* m_pActionArea = nullptr;
    QPushButton* m_pOpenBtn = nullptr;
    QPushButton* m_pDownLoadBtn = nullptr;
    ProgressBar* m_pProgressBar = nullptr;
    QPushButton* m_pRefreshBtn = nullptr;
    QPushButton* m_pCancelBtn = nullptr;
    QPushButton* m_pFillerBtn = nullptr;
    TransferProgressLabel* m_pTransferLabel = nullptr;
};

} // namespace gearmart

Q_DECLARE_METATYPE(gearmart::SubToolWidget::Look)
