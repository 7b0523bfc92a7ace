#include "widgets/tipdialog.h"

#include "widgets/shadowframe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QQueue>
#include <QVBoxLayout>
#include <algorithm>

namespace gearmart {

namespace {

struct TestState
{
    QQueue<int> answers;
    TipDialog::Request last;
    int count = 0;
};

TestState& testState()
{
    static TestState state;
    return state;
}

const char* const kStyleSheet = R"(
QLabel#textLabel { color: #333333; font-size: 12px; }
QPushButton#okBtn { color: #ffffff; background: #FA3239; border: 1px solid #FA3239; border-radius: 2px; font-size: 12px; }
QPushButton#okBtn:hover { background: #FF4F55; border-color: #FF4F55; }
QPushButton#okBtn:pressed { background: #E0262D; border-color: #E0262D; }
QPushButton#okBtn:focus { border-color: #A8161B; }
QPushButton#cancelBtn { color: #333333; background: #ffffff; border: 1px solid #CCCCCC; border-radius: 2px; font-size: 12px; }
QPushButton#cancelBtn:hover { color: #FA3239; border-color: #FA3239; }
QPushButton#cancelBtn:pressed { background: #F5F5F5; }
QPushButton#cancelBtn:focus { border-color: #333333; }
)";

// The box's own size; a message longer than its three lines or so makes it
// taller, up to kMaximumHeight, instead of being cut off.
constexpr int kWidth = 320;
constexpr int kHeight = 168;
constexpr int kMaximumHeight = 560;
constexpr int kIconSide = 48;
constexpr int kLeftMargin = 40;
constexpr int kRightMargin = 16;
constexpr int kIconGap = 6;
constexpr int kTextWidth = kWidth - kLeftMargin - kRightMargin - kIconSide - kIconGap;

} // namespace

TipDialog::TipDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kWidth, kHeight);
    setWindowTitle(tr("Tip"));
    setStyleSheet(QString::fromLatin1(kStyleSheet));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(32);
    layout->setContentsMargins(kLeftMargin, 40, kRightMargin, 16);

    auto* messageRow = new QHBoxLayout;
    messageRow->setSpacing(kIconGap);
    m_pIconLabel = new QLabel(this);
    m_pIconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_pIconLabel->setFixedSize(kIconSide, kIconSide);
    m_pIconLabel->setAlignment(Qt::AlignCenter);
    messageRow->addWidget(m_pIconLabel);
    m_pTextLabel = new QLabel(this);
    m_pTextLabel->setObjectName(QStringLiteral("textLabel"));
    m_pTextLabel->setWordWrap(true);
    m_pTextLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    messageRow->addWidget(m_pTextLabel, 1);
    layout->addLayout(messageRow);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(8);
    buttonRow->addStretch(1);
    m_pOkBtn = new QPushButton(this);
    m_pOkBtn->setObjectName(QStringLiteral("okBtn"));
    m_pOkBtn->setFixedSize(96, 32);
    buttonRow->addWidget(m_pOkBtn);
    m_pCancelBtn = new QPushButton(this);
    m_pCancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    m_pCancelBtn->setFixedSize(96, 32);
    buttonRow->addWidget(m_pCancelBtn);
    layout->addLayout(buttonRow);

    // Enter presses whichever button has the focus; with none focused, OK.
    m_pOkBtn->setAutoDefault(true);
    m_pCancelBtn->setAutoDefault(true);
    m_pOkBtn->setDefault(true);
    setTabOrder(m_pOkBtn, m_pCancelBtn);

    connect(m_pOkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setTip(QString(), QString(), QString(), QString(), true);
}

void TipDialog::setTip(const QString& qstrIconPath, const QString& qstrText, const QString& qstrOkText,
                       const QString& qstrCancelText, bool bShowCancel)
{
    const QPixmap icon(qstrIconPath);
    if (icon.isNull()) {
        m_pIconLabel->clear();
    } else {
        m_pIconLabel->setPixmap(
            icon.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    m_pTextLabel->setText(qstrText);
    m_pTextLabel->ensurePolished();
    const int textHeight = m_pTextLabel->heightForWidth(kTextWidth);
    setFixedSize(kWidth, std::min(kMaximumHeight, kHeight + std::max(0, textHeight - kIconSide)));
    setAccessibleDescription(qstrText);
    m_pOkBtn->setText(qstrOkText.isEmpty() ? tr("OK") : qstrOkText);
    m_pCancelBtn->setText(qstrCancelText.isEmpty() ? tr("Cancel") : qstrCancelText);
    m_pCancelBtn->setVisible(bShowCancel);
    m_pOkBtn->setFocus(Qt::OtherFocusReason);
}

int TipDialog::showTip(const QString& qstrIconPath, const QString& qstrText, const QString& qstrOkText,
                       const QString& qstrCancelText, bool bShowCancel, QWidget* parent)
{
    TestState& state = testState();
    state.last = Request{qstrIconPath, qstrText, qstrOkText, qstrCancelText, bShowCancel, parent};
    ++state.count;
    if (!state.answers.isEmpty()) {
        return state.answers.dequeue() == 1 ? 1 : 0;
    }
    // On the heap: if the parent dies during exec() it takes the dialog along,
    // and a stack object would then be destroyed twice.
    QPointer<TipDialog> dialog = new TipDialog(parent);
    dialog->setTip(qstrIconPath, qstrText, qstrOkText, qstrCancelText, bShowCancel);
    const int result = dialog->exec();
    if (!dialog) {
        return 0;
    }
    delete dialog.data();
    return result == QDialog::Accepted ? 1 : 0;
}

void TipDialog::setNextAnswerForTesting(int iAnswer)
{
    testState().answers.enqueue(iAnswer);
}

TipDialog::Request TipDialog::lastRequestForTesting()
{
    return testState().last;
}

int TipDialog::requestCountForTesting()
{
    return testState().count;
}

void TipDialog::resetForTesting()
{
    testState() = TestState();
}

void TipDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ShadowFrame::paint(painter, size());
}

} // namespace gearmart
