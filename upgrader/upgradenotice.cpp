#include "upgradenotice.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace swapover {

namespace {
constexpr int kTextWidth = 320;
}

UpgradeNotice::UpgradeNotice(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("UpgradeNotice"));
    setWindowTitle(QStringLiteral("Gearloft"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(12);
    m_pLabel = new QLabel(this);
    m_pLabel->setObjectName(QStringLiteral("label"));
    m_pLabel->setWordWrap(true);
    m_pLabel->setFixedWidth(kTextWidth);
    layout->addWidget(m_pLabel);
    m_pCloseBtn = new QPushButton(tr("OK"), this);
    m_pCloseBtn->setObjectName(QStringLiteral("closeBtn"));
    m_pCloseBtn->setAccessibleName(tr("Close the notice"));
    m_pCloseBtn->hide();
    layout->addWidget(m_pCloseBtn, 0, Qt::AlignRight);
    connect(m_pCloseBtn, &QPushButton::clicked, this, &QWidget::close);
}

void UpgradeNotice::showWaiting()
{
    showText(tr("Gearloft is closing to apply the update..."));
}

void UpgradeNotice::showApplying()
{
    showText(tr("Applying the update to Gearloft..."));
}

void UpgradeNotice::showFailed()
{
    m_bFailed = true;
    showText(tr("The update could not be applied. Gearloft keeps its previous version."));
    m_pCloseBtn->show();
    m_pCloseBtn->setFocus();
}

void UpgradeNotice::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_bFailed) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void UpgradeNotice::showText(const QString& qstrText)
{
    m_pLabel->setText(qstrText);
    m_pLabel->setAccessibleName(qstrText);
    // A wrapped text gets the height its lines need.
    m_pLabel->setFixedHeight(m_pLabel->heightForWidth(kTextWidth));
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    // Swapover has no event loop while it works: paint now.
    QCoreApplication::processEvents();
}

} // namespace swapover
