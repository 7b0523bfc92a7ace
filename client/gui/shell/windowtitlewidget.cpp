#include "shell/windowtitlewidget.h"

#include "settings/helpwidget.h"
#include "settings/systemconfigwidget.h"
#include "update/versionchecker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

namespace gearmart {

namespace {
const char* kSelectedTab = "QPushButton {color: #333333;border: none;border-bottom:4px solid "
                           "#FA3239;border-top:4px solid #f1f1f1; }";
const char* kOtherTab = "QPushButton {color: #999999;border:none;}";
const char* kMaxStyle = "border-image:url(:/Gearmart/Image/Gearmatt/icon/ic_max.png);";
const char* kRestoreStyle = "border-image:url(:/Gearmart/Image/Gearmatt/icon/ic_restore.png);";
} // namespace

WindowTitleWidget::WindowTitleWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WindowTitleWidget"));
    setMinimumHeight(64);
    setMaximumHeight(68);

    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* left = new QWidget(this);
    left->setFixedWidth(322);
    auto* leftLayout = new QHBoxLayout(left);
    leftLayout->setContentsMargins(20, 20, 0, 20);
    leftLayout->setSpacing(8);
    m_pLogoLabel = new QLabel(left);
    m_pLogoLabel->setObjectName(QStringLiteral("logoLabel"));
    m_pLogoLabel->setFixedSize(24, 24);
    m_pLogoLabel->setPixmap(QPixmap(QStringLiteral(":/Gearmart/Image/Gearmatt/logo24.png")));
    m_pLogoLabel->setScaledContents(true);
    m_pCaptionLabel = new QLabel(tr("Gear Mart"), left);
    m_pCaptionLabel->setObjectName(QStringLiteral("captionLabel"));
    leftLayout->addWidget(m_pLogoLabel);
    leftLayout->addWidget(m_pCaptionLabel);
    leftLayout->addStretch();
    layout->addWidget(left);

    layout->addStretch();
    m_pToolsDownBtn = new QPushButton(tr("Tools Down"), this);
    m_pToolsDownBtn->setObjectName(QStringLiteral("toolsDownBtn"));
    m_pMyToolsBtn = new QPushButton(tr("My Tools"), this);
    m_pMyToolsBtn->setObjectName(QStringLiteral("myToolsBtn"));
    for (QPushButton* tab : {m_pToolsDownBtn, m_pMyToolsBtn}) {
        tab->setFixedHeight(64);
        tab->setMinimumWidth(108);
        tab->setCursor(Qt::PointingHandCursor);
        tab->setAccessibleName(tab->text());
        layout->addWidget(tab);
    }
    layout->addStretch();

    auto* right = new QWidget(this);
    right->setFixedWidth(322);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 20, 8, 20);
    rightLayout->setSpacing(8);
    rightLayout->addStretch();
    m_pSettingsBtn =
        makeIconButton(QStringLiteral("settingsBtn"), QStringLiteral("ic_settings"), tr("Settings"));
    m_pHelpBtn = makeIconButton(QStringLiteral("helpBtn"), QStringLiteral("ic_help"), tr("Help"));
    m_pMinBtn = makeIconButton(QStringLiteral("minBtn"), QStringLiteral("ic_min"), tr("Minimize"));
    m_pMaxBtn = makeIconButton(QStringLiteral("maxBtn"), QString(), tr("Maximize"));
    m_pCloseBtn = makeIconButton(QStringLiteral("closeBtn"), QStringLiteral("ic_close"), tr("Close"));
    m_pMaxBtn->setStyleSheet(QString::fromLatin1(kMaxStyle));
    rightLayout->addWidget(m_pSettingsBtn);
    rightLayout->addWidget(m_pHelpBtn);
    rightLayout->addWidget(makeSeparator());
    rightLayout->addWidget(m_pMinBtn);
    rightLayout->addWidget(m_pMaxBtn);
    rightLayout->addWidget(m_pCloseBtn);
    layout->addWidget(right);

    // Markers for "a tool can be updated" and "a new Gearloft is out".
    m_pUpdateFlagLabel = new QLabel(this);
    m_pUpdateFlagLabel->setObjectName(QStringLiteral("m_pUpdateFlagLabel"));
    m_pNewGearloft = new QLabel(this);
    m_pNewGearloft->setObjectName(QStringLiteral("m_pNewGearloft"));
    for (QLabel* marker : {m_pUpdateFlagLabel, m_pNewGearloft}) {
        marker->setFixedSize(6, 6);
        marker->setPixmap(QPixmap(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_new.png")));
        marker->hide();
    }
    m_pNewGearloft->move(205, 21);

    connect(m_pToolsDownBtn, &QPushButton::clicked, this, [this] {
        onSelectTab(0);
        emit signalShowToolsDownloadWidget();
    });
    connect(m_pMyToolsBtn, &QPushButton::clicked, this, [this] {
        onSelectTab(1);
        emit signalShowToolBoxWidget();
    });
    connect(m_pCloseBtn, &QPushButton::clicked, this, &WindowTitleWidget::signalCloseApp);
    connect(m_pMinBtn, &QPushButton::clicked, this, &WindowTitleWidget::signalShowSmall);
    connect(m_pMaxBtn, &QPushButton::clicked, this, &WindowTitleWidget::signalShowMax);
    onSelectTab(0);

    m_pSystemConfigWidget = new SystemConfigWidget(this);
    m_pSystemConfigWidget->hide();
    m_pHelpWidget = new HelpWidget(this);
    m_pHelpWidget->hide();
    connectPopups();
}

void WindowTitleWidget::connectPopups()
{
    SystemConfigWidget* settings = m_pSystemConfigWidget;
    connect(m_pSettingsBtn, &QPushButton::clicked, this,
            [this] { showPopup(m_pSystemConfigWidget, m_pSettingsBtn); });
    connect(m_pHelpBtn, &QPushButton::clicked, this, [this] { showPopup(m_pHelpWidget, m_pHelpBtn); });

    connect(settings, &SystemConfigWidget::signalToServer, this, &WindowTitleWidget::signalToServer);
    connect(settings, &SystemConfigWidget::signalCover, this, &WindowTitleWidget::signalCover);
    connect(settings, &SystemConfigWidget::signalTransCover, this, &WindowTitleWidget::signalTransCover);
    connect(settings, &SystemConfigWidget::signalUpdateFailed, this, &WindowTitleWidget::signalUpdateFailed);
    connect(settings, &SystemConfigWidget::signalStartUpdateManagerTool, this,
            &WindowTitleWidget::signalStartUpdateManagerTool);
    connect(settings, &SystemConfigWidget::signalSetUpdateProgress, this,
            &WindowTitleWidget::signalSetUpdateProgress);
    connect(settings, &SystemConfigWidget::signalHaveNewMaterial, this,
            &WindowTitleWidget::signalHaveNewMaterial);
    connect(settings, &SystemConfigWidget::signalGearloftNew, m_pNewGearloft, &QWidget::setVisible);
    connect(m_pHelpWidget, &HelpWidget::signalCover, this, &WindowTitleWidget::signalCover);

    connect(this, &WindowTitleWidget::signalServerResponded, settings,
            &SystemConfigWidget::onServerResponded);
    connect(this, &WindowTitleWidget::signalReUpdate, settings, &SystemConfigWidget::onReUpdate);
    connect(this, &WindowTitleWidget::signalStartCheckUpdate, settings, &SystemConfigWidget::onCheckUpdate);
    connect(this, &WindowTitleWidget::signalUpdateCompleted, settings,
            &SystemConfigWidget::onGearloftUpdated);
    connect(this, &WindowTitleWidget::signalUpdateCancel, settings, &SystemConfigWidget::onUpdateCancel);
    connect(this, &WindowTitleWidget::signalDownloadingCount, settings,
            &SystemConfigWidget::onDownloadingCount);
    connect(this, &WindowTitleWidget::signalGetHelp, m_pHelpWidget, &HelpWidget::onManualButtonClicked);

    // The page may have found the new version before these connections.
    m_pNewGearloft->setVisible(settings->versionChecker()->hasNewGearloft());
}

void WindowTitleWidget::showPopup(QWidget* popup, QPushButton* button)
{
    if (popup->isVisible()) {
        popup->hide();
        return;
    }
    const QPoint corner = button->mapToGlobal(QPoint(0, 0));
    popup->adjustSize();
    popup->move(corner.x() + button->width() - popup->width(), corner.y() + button->height() + 4);
    popup->show();
    popup->raise();
    popup->activateWindow();
}

QPushButton* WindowTitleWidget::makeIconButton(const QString& objectName, const QString& image,
                                               const QString& accessibleName)
{
    auto* button = new QPushButton(this);
    button->setObjectName(objectName);
    button->setFixedSize(24, 24);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    if (!image.isEmpty()) {
        const QString base = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/") + image;
        button->setStyleSheet(QStringLiteral("QPushButton{border-image:url(%1.png);}"
                                             "QPushButton:hover{border-image:url(%1_hov.png);}")
                                  .arg(base));
    }
    return button;
}

QWidget* WindowTitleWidget::makeSeparator()
{
    auto* line = new QWidget(this);
    line->setFixedSize(1, 24);
    line->setStyleSheet(QStringLiteral("background:#E6E6E6;"));
    return line;
}

void WindowTitleWidget::setMaximizedLook(bool maximized)
{
    m_pMaxBtn->setStyleSheet(QString::fromLatin1(maximized ? kRestoreStyle : kMaxStyle));
    m_pMaxBtn->setAccessibleName(maximized ? tr("Restore") : tr("Maximize"));
    m_pMaxBtn->setToolTip(m_pMaxBtn->accessibleName());
}

void WindowTitleWidget::onAllToolsUpgraded()
{
    m_pUpdateFlagLabel->hide();
}

void WindowTitleWidget::onSelectTab(int index)
{
    m_pToolsDownBtn->setStyleSheet(QString::fromLatin1(index == 0 ? kSelectedTab : kOtherTab));
    m_pMyToolsBtn->setStyleSheet(QString::fromLatin1(index == 1 ? kSelectedTab : kOtherTab));
}

void WindowTitleWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit signalShowMax();
    QWidget::mouseDoubleClickEvent(event);
}

void WindowTitleWidget::paintEvent(QPaintEvent*)
{
    // Lets the style sheet give the bar its background.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
