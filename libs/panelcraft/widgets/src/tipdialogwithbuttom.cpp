#include "panelcraft/tipdialogwithbuttom.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace crestui {

namespace {

TipDialogWithButtom::Warning& lastWarning()
{
    static TipDialogWithButtom::Warning warning;
    return warning;
}

QPixmap warningSign(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xAA, 0x00));
    painter.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    painter.setBrush(Qt::white);
    const double cx = size / 2.0;
    painter.drawRoundedRect(QRectF(cx - size * 0.06, size * 0.22, size * 0.12, size * 0.38), 1.5, 1.5);
    painter.drawEllipse(QPointF(cx, size * 0.73), size * 0.07, size * 0.07);
    return pixmap;
}

} // namespace

TipDialogWithButtom::TipDialogWithButtom(const QString& qstrTitle, const QString& qstrText,
                                         const QString& qstrIconPath, QWidget* parent)
    : BaseDialog(true, true, true, false, true, true, true, parent)
{
    setTitle(qstrTitle.isEmpty() ? tr("Warning") : qstrTitle);
    setConfirmButtonText(tr("OK"));
    setMinimumWidth(380);

    auto* layout = new QHBoxLayout(getSetupUiWidget());
    layout->setContentsMargins(24, 12, 24, 12);
    layout->setSpacing(12);
    m_pIconLabel = new QLabel(getSetupUiWidget());
    m_pIconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_pIconLabel->setFixedSize(32, 32);
    QPixmap icon(qstrIconPath);
    m_pIconLabel->setPixmap(
        icon.isNull() ? warningSign(32) : icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    layout->addWidget(m_pIconLabel, 0, Qt::AlignTop);
    m_pTextLabel = new QLabel(qstrText, getSetupUiWidget());
    m_pTextLabel->setObjectName(QStringLiteral("textLabel"));
    m_pTextLabel->setWordWrap(true);
    m_pTextLabel->setStyleSheet(QStringLiteral("color: #333333; font-size: 14px;"));
    m_pTextLabel->setMinimumWidth(260);
    layout->addWidget(m_pTextLabel, 1);
    setAccessibleDescription(qstrText);
}

int TipDialogWithButtom::showWarnMessageInfo(const QString& qstrTitle, const QString& qstrText,
                                             QWidget* parent, const QString& qstrIconPath)
{
    lastWarning() = Warning{qstrTitle, qstrText, qstrIconPath, parent};
    // On the heap: if the parent dies during exec() it takes the dialog along,
    // and a stack object would then be destroyed twice.
    QPointer<TipDialogWithButtom> dialog = new TipDialogWithButtom(qstrTitle, qstrText, qstrIconPath, parent);
    dialog->getConfirmButtom()->setFocus();
    const int result = dialog->exec();
    if (!dialog) {
        return 0;
    }
    delete dialog.data();
    return result == QDialog::Accepted ? 1 : 0;
}

TipDialogWithButtom::Warning TipDialogWithButtom::lastWarningForTesting()
{
    return lastWarning();
}

} // namespace crestui
