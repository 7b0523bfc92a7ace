#include "panelcraft/basedialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QQueue>
#include <QVBoxLayout>

namespace crestui {

namespace {

const int kShadowMargin = 10;

QQueue<int>& pendingAnswers()
{
    static QQueue<int> answers;
    return answers;
}

QString& lastTitle()
{
    static QString title;
    return title;
}

QIcon closeIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x99, 0x99, 0x99), 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 7), QPointF(17, 17));
    painter.drawLine(QPointF(17, 7), QPointF(7, 17));
    return QIcon(pixmap);
}

const char* const kStyleSheet = R"(
QLabel#titleLabel { color: #333333; font-size: 14px; font-weight: bold; }
QPushButton#closeButton { border: none; background: transparent; }
QPushButton#closeButton:hover { background: #F0F0F0; }
QPushButton#closeButton:pressed { background: #EBEBEB; }
QPushButton#confirmButton { color: #ffffff; background: #FA3239; border: 1px solid #FA3239; border-radius: 2px; font-size: 12px; }
QPushButton#confirmButton:hover { background: #FF4F55; border-color: #FF4F55; }
QPushButton#confirmButton:pressed { background: #E0262D; border-color: #E0262D; }
QPushButton#confirmButton:focus { border-color: #A8161B; }
QPushButton#confirmButton:disabled { background: #FDB7BA; border-color: #FDB7BA; }
QPushButton#cancelButton { color: #333333; background: #ffffff; border: 1px solid #CCCCCC; border-radius: 2px; font-size: 12px; }
QPushButton#cancelButton:hover { color: #FA3239; border-color: #FA3239; }
QPushButton#cancelButton:pressed { background: #F5F5F5; }
QPushButton#cancelButton:focus { border-color: #333333; }
)";

} // namespace

BaseDialog::BaseDialog(bool bTitleBar, bool bCloseButton, bool bConfirmButton, bool bCancelButton,
                       bool bMovable, bool bShadow, bool bModal, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_bMovable(bMovable), m_bShadow(bShadow)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_TranslucentBackground, m_bShadow);
    setModal(bModal);
    setStyleSheet(QString::fromLatin1(kStyleSheet));

    auto* outer = new QVBoxLayout(this);
    const int margin = m_bShadow ? kShadowMargin : 1;
    outer->setContentsMargins(margin, margin, margin, margin);
    outer->setSpacing(0);

    m_pTitleBar = new QWidget(this);
    m_pTitleBar->setObjectName(QStringLiteral("titleBar"));
    m_pTitleBar->setFixedHeight(40);
    m_pTitleBar->installEventFilter(this);
    auto* titleLayout = new QHBoxLayout(m_pTitleBar);
    titleLayout->setContentsMargins(16, 0, 8, 0);
    m_pTitleLabel = new QLabel(m_pTitleBar);
    m_pTitleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLayout->addWidget(m_pTitleLabel, 1);
    m_pCloseButton = new QPushButton(m_pTitleBar);
    m_pCloseButton->setObjectName(QStringLiteral("closeButton"));
    m_pCloseButton->setFixedSize(24, 24);
    m_pCloseButton->setIcon(closeIcon());
    m_pCloseButton->setIconSize(QSize(24, 24));
    m_pCloseButton->setAutoDefault(false);
    m_pCloseButton->setFocusPolicy(Qt::TabFocus);
    m_pCloseButton->setAccessibleName(tr("Close"));
    m_pCloseButton->setToolTip(tr("Close"));
    m_pCloseButton->setVisible(bCloseButton);
    titleLayout->addWidget(m_pCloseButton);
    m_pTitleBar->setVisible(bTitleBar);
    outer->addWidget(m_pTitleBar);

    m_pSetupUiWidget = new QWidget(this);
    m_pSetupUiWidget->setObjectName(QStringLiteral("setupUiWidget"));
    outer->addWidget(m_pSetupUiWidget, 1);

    m_pButtonBar = new QWidget(this);
    m_pButtonBar->setObjectName(QStringLiteral("buttonBar"));
    auto* buttonLayout = new QHBoxLayout(m_pButtonBar);
    buttonLayout->setContentsMargins(16, 8, 16, 16);
    buttonLayout->setSpacing(8);
    buttonLayout->addStretch(1);
    m_pConfirmButton = new QPushButton(tr("OK"), m_pButtonBar);
    m_pConfirmButton->setObjectName(QStringLiteral("confirmButton"));
    m_pConfirmButton->setFixedSize(96, 32);
    m_pConfirmButton->setVisible(bConfirmButton);
    buttonLayout->addWidget(m_pConfirmButton);
    m_pCancelButton = new QPushButton(tr("Cancel"), m_pButtonBar);
    m_pCancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_pCancelButton->setFixedSize(96, 32);
    m_pCancelButton->setVisible(bCancelButton);
    buttonLayout->addWidget(m_pCancelButton);
    m_pButtonBar->setVisible(bConfirmButton || bCancelButton);
    outer->addWidget(m_pButtonBar);

    setTabOrder(m_pConfirmButton, m_pCancelButton);
    setTabOrder(m_pCancelButton, m_pCloseButton);
    m_pConfirmButton->setDefault(true);

    connect(m_pConfirmButton, &QPushButton::clicked, this, &BaseDialog::onConfirmClicked);
    connect(m_pCancelButton, &QPushButton::clicked, this, &BaseDialog::onCancelClicked);
    connect(m_pCloseButton, &QPushButton::clicked, this, &BaseDialog::onCloseClicked);
}

BaseDialog::BaseDialog(QWidget* parent) : BaseDialog(true, true, true, true, true, true, true, parent) {}

void BaseDialog::setTitle(const QString& qstrTitle)
{
    m_pTitleLabel->setText(qstrTitle);
    setWindowTitle(qstrTitle);
}

QString BaseDialog::title() const
{
    return m_pTitleLabel->text();
}

void BaseDialog::setConfirmButtonText(const QString& qstrText)
{
    m_pConfirmButton->setText(qstrText);
}

void BaseDialog::setCancelButtonText(const QString& qstrText)
{
    m_pCancelButton->setText(qstrText);
}

void BaseDialog::setEnableDefaultConnections(bool bConfirmAccepts, bool bCancelRejects, bool bCloseRejects,
                                             bool bEscapeRejects, bool bEnterConfirms)
{
    m_bConfirmAccepts = bConfirmAccepts;
    m_bCancelRejects = bCancelRejects;
    m_bCloseRejects = bCloseRejects;
    m_bEscapeRejects = bEscapeRejects;
    // QDialog presses the default (or focused auto-default) button on Enter.
    m_pConfirmButton->setDefault(bEnterConfirms);
    m_pConfirmButton->setAutoDefault(bEnterConfirms);
    m_pCancelButton->setAutoDefault(bEnterConfirms);
}

int BaseDialog::exec()
{
    lastTitle() = title();
    if (!pendingAnswers().isEmpty()) {
        const int answer = pendingAnswers().dequeue();
        done(answer);
        return answer;
    }
    return QDialog::exec();
}

void BaseDialog::setNextAnswerForTesting(int iResult)
{
    pendingAnswers().enqueue(iResult);
}

void BaseDialog::clearAnswersForTesting()
{
    pendingAnswers().clear();
    lastTitle().clear();
}

QString BaseDialog::lastTitleForTesting()
{
    return lastTitle();
}

void BaseDialog::onConfirmClicked()
{
    if (m_bConfirmAccepts) {
        accept();
    }
}

void BaseDialog::onCancelClicked()
{
    if (m_bCancelRejects) {
        reject();
    }
}

void BaseDialog::onCloseClicked()
{
    if (m_bCloseRejects) {
        reject();
    }
}

void BaseDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel) && !m_bEscapeRejects) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BaseDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_bShadow) {
        painter.fillRect(rect(), Qt::white);
        painter.setPen(QColor(0xE6, 0xE6, 0xE6));
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        return;
    }
    // Rings growing darker toward the panel make a soft shadow.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < kShadowMargin; ++i) {
        const double t = double(i + 1) / kShadowMargin;
        painter.setPen(QColor(0, 0, 0, int(2 + 30 * t * t)));
        painter.drawRoundedRect(QRectF(rect()).adjusted(i + 0.5, i + 0.5, -i - 0.5, -i - 0.5),
                                kShadowMargin - i, kShadowMargin - i);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(
        QRectF(rect()).adjusted(kShadowMargin, kShadowMargin, -kShadowMargin, -kShadowMargin), 4, 4);
}

bool BaseDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pTitleBar && m_bMovable) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_bDragging = true;
                m_dragOffset = mouse->globalPos() - frameGeometry().topLeft();
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (m_bDragging) {
                move(static_cast<QMouseEvent*>(event)->globalPos() - m_dragOffset);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_bDragging) {
                m_bDragging = false;
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace crestui
