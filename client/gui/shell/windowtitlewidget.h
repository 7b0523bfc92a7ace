#pragma once

#include <QMap>
#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

class HelpWidget;
class SystemConfigWidget;

// The main window's title bar: logo and caption, the two page tabs, the
// settings and help buttons and the window buttons. It also relays between
// the main window and the settings and help popups.
class WindowTitleWidget : public QWidget
{
    Q_OBJECT

public:
    explicit WindowTitleWidget(QWidget* parent = nullptr);

    QPushButton* toolsDownButton() const { return m_pToolsDownBtn; }
    QPushButton* myToolsButton() const { return m_pMyToolsBtn; }
    QPushButton* maxButton() const { return m_pMaxBtn; }
    QPushButton* settingsButton() const { return m_pSettingsBtn; }
    QPushButton* helpButton() const { return m_pHelpBtn; }
    SystemConfigWidget* settingsPopup() const { return m_pSystemConfigWidget; }
    HelpWidget* helpPopup() const { return m_pHelpWidget; }
    // The maximise button shows the restore picture while the window is maximised.
    void setMaximizedLook(bool maximized);

signals:
    void signalShowToolsDownloadWidget();
    void signalShowToolBoxWidget();
    void signalCloseApp();
    void signalShowSmall();
    void signalShowMax();
    void signalToServer(int method, QVector<int> keys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalUpdateCompleted();
    void signalUpdateCancel();
    void signalCover(bool bCover);
    void signalTransCover(bool bCover);
    void signalUpdateFailed();
    void signalReUpdate();
    void signalStartCheckUpdate();
    void signalStartUpdateManagerTool();
    void signalSetUpdateProgress(int iValue);
    void signalGetHelp();
    void signalDownloadingCount(int count);
    void signalHaveNewMaterial();

public slots:
    void onAllToolsUpgraded();
    void onSelectTab(int index);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* makeIconButton(const QString& objectName, const QString& image,
                                const QString& accessibleName);
    QWidget* makeSeparator();
    void connectPopups();
    // Right-aligned under its button, a little below it.
    void showPopup(QWidget* popup, QPushButton* button);

    QLabel* m_pLogoLabel = nullptr;
    QLabel* m_pCaptionLabel = nullptr;
    QPushButton* m_pToolsDownBtn = nullptr;
    QPushButton* m_pMyToolsBtn = nullptr;
    QPushButton* m_pSettingsBtn = nullptr;
    QPushButton* m_pHelpBtn = nullptr;
    QPushButton* m_pMinBtn = nullptr;
    QPushButton* m_pMaxBtn = nullptr;
    QPushButton* m_pCloseBtn = nullptr;
    QLabel* m_pUpdateFlagLabel = nullptr;
    QLabel* m_pNewGearloft = nullptr;
    SystemConfigWidget* m_pSystemConfigWidget = nullptr;
    HelpWidget* m_pHelpWidget = nullptr;
};

} // namespace gearmart
