#include "updateversiondialog.h"

#include "common/transferprogresslabel.h"
#include "widgets/progressbar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace gearmart {

UpdateVersionDialog::UpdateVersionDialog(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("UpdateVersionDialog"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    setFixedSize(320, 124);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->setContentsMargins(20, 20, 48, 36);
    m_pLabel = new QLabel(tr("Version updating"), this);
    m_pLabel->setObjectName(QStringLiteral("label"));
    m_pLabel->setFixedHeight(32);
    m_pProgressBar = new ProgressBar(this);
    m_pProgressBar->setObjectName(QStringLiteral("progressBar"));
    m_pProgressBar->setValue(0);
    m_pProgressBar->setAccessibleName(tr("Update progress"));
    layout->addWidget(m_pLabel);
    layout->addWidget(m_pProgressBar);

    m_pCancelBtn = new QPushButton(this);
    m_pCancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    m_pCancelBtn->setAccessibleName(tr("Cancel update"));
    m_pCancelBtn->setToolTip(m_pCancelBtn->accessibleName());
    m_pCancelBtn->setFixedSize(24, 24);
    m_pCancelBtn->setStyleSheet(
        QStringLiteral("QPushButton{border-image:url(:/Gearmart/Image/Gearmatt/icon/ic_cancel.png);}"));
    m_pCancelBtn->move(width() - 40, 66);

    // Bytes, speed and time left of the main program's package, in the
    // bottom margin under the bar so that the dialog keeps its size.
    m_pTransferLabel = new TransferProgressLabel(this);
    m_pTransferLabel->setAccessibleName(tr("Update transfer progress"));
    m_pTransferLabel->setGeometry(20, height() - 30, width() - 68, m_pTransferLabel->height());
    m_pTransferLabel->setActive(true);
    connect(m_pCancelBtn, &QPushButton::clicked, this, [this] {
        emit signalUpdateCancel();
        hide();
    });
}

int UpdateVersionDialog::progress() const
{
    return m_pProgressBar->value();
}

void UpdateVersionDialog::setProgress(int iValue)
{
    m_pProgressBar->setValue(iValue);
    // A fresh start (0) must not show the last attempt's figures; the
    // figures of this reply, if any, arrive right after its value.
    if (iValue <= 0 || iValue >= 100)
        setTransferProgress(TransferProgress());
    if (iValue == 100) {
        emit signalUpdateCompleted();
        hide();
    }
}

void UpdateVersionDialog::reset()
{
    m_pProgressBar->setValue(0);
    setTransferProgress(TransferProgress());
}

void UpdateVersionDialog::setVersions(const QString& qstrCurrent, const QString& qstrNewer)
{
    if (qstrCurrent.isEmpty() || qstrNewer.isEmpty())
        m_pLabel->setText(tr("Version updating"));
    else
        m_pLabel->setText(tr("Updating V%1 to V%2").arg(qstrCurrent, qstrNewer));
    m_pLabel->setAccessibleName(m_pLabel->text());
}

void UpdateVersionDialog::setTransferProgress(const TransferProgress& progress)
{
    m_pTransferLabel->showProgress(progress);
}

void UpdateVersionDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_pCancelBtn->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void UpdateVersionDialog::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_pCancelBtn->setFocus();
}

void UpdateVersionDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0xE6, 0xE6, 0xE6));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace gearmart
