#include "settings/helpwidget.h"

#include "log/diagnostics.h"
#include "log/logging.h"
#include "log/logsink.h"
#include "panelcraft/tipdialogwithbuttom.h"
#include "platform/documents.h"
#include "settings/userdocuments.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace gearmart {

namespace {

QLabel* makeIcon(const QString& objectName, const QString& image, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFixedSize(24, 24);
    label->setScaledContents(true);
    label->setPixmap(QPixmap(image));
    return label;
}

QPushButton* makeLink(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setCursor(Qt::PointingHandCursor);
    button->setFlat(true);
    button->setFixedHeight(32);
    button->setAccessibleName(text);
    button->setStyleSheet(QStringLiteral("QPushButton{border:none;text-align:left;color:#333333;}"
                                         "QPushButton:hover,QPushButton:focus{color:#FA3239;}"));
    return button;
}
} // namespace

HelpWidget::HelpWidget(QWidget* parent)
    : QWidget(parent), m_qstrApplicationDir(QCoreApplication::applicationDirPath()),
      m_qstrLogFolder(LogSink::folder())
{
    setObjectName(QStringLiteral("HelpWidget"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAccessibleName(tr("Help"));
    setFixedSize(200, 168);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(4);
    layout->addWidget(makeIcon(QStringLiteral("manualLabel"),
                               QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_file.png"), this),
                      0, 0);
    m_manualButton = makeLink(QStringLiteral("manualButton"), tr("user manual(F1)"), this);
    layout->addWidget(m_manualButton, 0, 1);
    layout->addWidget(makeIcon(QStringLiteral("licenseLabel"),
                               QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_license.png"), this),
                      1, 0);
    m_licenseButon = makeLink(QStringLiteral("licenseButon"), tr("License"), this);
    m_licenseButon->setAccessibleName(tr("Open Source Software Licenses"));
    layout->addWidget(m_licenseButon, 1, 1);
    layout->addWidget(makeIcon(QStringLiteral("logFolderLabel"),
                               QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_file.png"), this),
                      2, 0);
    m_logFolderButton = makeLink(QStringLiteral("logFolderButton"), tr("Open log folder"), this);
    layout->addWidget(m_logFolderButton, 2, 1);
    layout->addWidget(makeIcon(QStringLiteral("diagnosticsLabel"),
                               QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_license.png"), this),
                      3, 0);
    m_diagnosticsButton = makeLink(QStringLiteral("diagnosticsButton"), tr("Copy diagnostics"), this);
    layout->addWidget(m_diagnosticsButton, 3, 1);

    connect(m_manualButton, &QPushButton::clicked, this, &HelpWidget::onManualButtonClicked);
    connect(m_licenseButon, &QPushButton::clicked, this, &HelpWidget::onLicenseButtonClicked);
    connect(m_logFolderButton, &QPushButton::clicked, this, &HelpWidget::onOpenLogFolderClicked);
    connect(m_diagnosticsButton, &QPushButton::clicked, this, &HelpWidget::onCopyDiagnosticsClicked);
}

void HelpWidget::onOpenLogFolderClicked()
{
    m_bNoDialogOpen = false;
    if (m_qstrLogFolder.isEmpty() || !QDir(m_qstrLogFolder).exists() ||
        !platform::openWithDesktop(m_qstrLogFolder)) {
        emit signalCover(true);
        TipDialog::showTip(kNoticeIcon, tr("The log folder cannot be opened."), tr("OK"), tr("Cancel"), false,
                           nullptr);
        emit signalCover(false);
    }
    m_bNoDialogOpen = true;
}

void HelpWidget::onCopyDiagnosticsClicked()
{
    const QString report = Diagnostics::collect(m_qstrApplicationDir, m_qstrLogFolder);
    QGuiApplication::clipboard()->setText(report);
    qCInfo(lcPages, "Diagnostics copied to the clipboard (%d characters)", int(report.size()));
    m_diagnosticsButton->setText(tr("Diagnostics copied"));
    m_diagnosticsButton->setAccessibleName(m_diagnosticsButton->text());
}

void HelpWidget::onManualButtonClicked()
{
    m_bNoDialogOpen = false;
    const QString manual = m_qstrApplicationDir + tr("/help.pdf");
    const UserDocuments::Result result = UserDocuments::openManual(manual, QStringLiteral("pdf"));
    if (result != UserDocuments::Result::Opened) {
        emit signalCover(true);
        TipDialog::showTip(kNoticeIcon,
                           result == UserDocuments::Result::NotFound ? tr("No user manual found.")
                                                                     : tr("Open User's Manual fail."),
                           tr("OK"), tr("Cancel"), false, nullptr);
        emit signalCover(false);
    }
    m_bNoDialogOpen = true;
}

void HelpWidget::onLicenseButtonClicked()
{
    m_bNoDialogOpen = false;
    if (UserDocuments::openLicenses(m_qstrApplicationDir) != UserDocuments::Result::Opened)
        crestui::TipDialogWithButtom::showWarnMessageInfo(
            QString(), tr("Open Open Source Software Licenses file directory failed."), parentWidget(),
            QStringLiteral(":/Gearmart/Image/Gearmatt/hint.png"));
    m_bNoDialogOpen = true;
}

bool HelpWidget::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && m_bNoDialogOpen)
        hide();
    return QWidget::event(event);
}

void HelpWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_diagnosticsButton->setText(tr("Copy diagnostics"));
    m_diagnosticsButton->setAccessibleName(m_diagnosticsButton->text());
    // Keyboard users start on the first control.
    m_manualButton->setFocus();
}

void HelpWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0xE6, 0xE6, 0xE6));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace gearmart
