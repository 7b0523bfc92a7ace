#include "quillkit/modaltipdialog.h"

#include "quillkit/commandbutton.h"
#include "quillkit/secondcommandbutton.h"

#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QQueue>
#include <QVBoxLayout>

namespace quillkit {

namespace {

const int kDragStripHeight = 40;

QQueue<int>& pendingAnswers()
{
    static QQueue<int> answers;
    return answers;
}

QList<CModalTipDialog::Shown>& shownDialogs()
{
    static QList<CModalTipDialog::Shown> shown;
    return shown;
}

QString iconFor(int iModel)
{
    switch (iModel) {
    case CModalTipDialog::ModelWarn:
        return QStringLiteral(":/QuillKit/images/tip_warning.svg");
    case CModalTipDialog::ModelConfirm:
        return QStringLiteral(":/QuillKit/images/tip_question.svg");
    default:
        return QStringLiteral(":/QuillKit/images/tip_info.svg");
    }
}

} // namespace

CModalTipDialog::CModalTipDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    // A message shown before the main window must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("m_pTipPanel"));
    panel->setAttribute(Qt::WA_StyledBackground, true);
    outer->addWidget(panel);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(24, 8, 8, 20);
    auto* top = new QHBoxLayout;
    top->addStretch(1);
    auto* closeBtn = new QPushButton(panel);
    closeBtn->setObjectName(QStringLiteral("m_pTipCloseBtn"));
    closeBtn->setFixedSize(24, 24);
    closeBtn->setFocusPolicy(Qt::NoFocus);
    closeBtn->setAccessibleName(tr("Close"));
    closeBtn->setToolTip(tr("Close"));
    top->addWidget(closeBtn);
    layout->addLayout(top);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 16, 0);
    body->setSpacing(12);
    m_pIconLabel = new QLabel(panel);
    m_pIconLabel->setObjectName(QStringLiteral("m_pTipIconLabel"));
    m_pIconLabel->setFixedSize(32, 32);
    body->addWidget(m_pIconLabel, 0, Qt::AlignTop);
    m_pTextLabel = new QLabel(panel);
    m_pTextLabel->setObjectName(QStringLiteral("m_pTipTextLabel"));
    m_pTextLabel->setWordWrap(true);
    m_pTextLabel->setTextFormat(Qt::PlainText);
    m_pTextLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pTextLabel->setContentsMargins(0, 6, 0, 0);
    body->addWidget(m_pTextLabel, 1);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 12, 16, 0);
    buttons->setSpacing(8);
    buttons->addStretch(1);
    m_pConfirmBtn = new CCommandButton(tr("OK"), panel);
    m_pConfirmBtn->setObjectName(QStringLiteral("m_pTipConfirmBtn"));
    m_pConfirmBtn->setAccessibleName(tr("OK"));
    m_pConfirmBtn->setDefault(true);
    buttons->addWidget(m_pConfirmBtn);
    m_pCancelBtn = new CSecondCommandButton(tr("Cancel"), panel);
    m_pCancelBtn->setObjectName(QStringLiteral("m_pTipCancelBtn"));
    m_pCancelBtn->setAccessibleName(tr("Cancel"));
    buttons->addWidget(m_pCancelBtn);
    layout->addLayout(buttons);

    connect(m_pConfirmBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::reject);

    setDialogSize(SizeSmall);
    applyModel();
}

void CModalTipDialog::setDialogModel(int iModel)
{
    m_iModel = (iModel == ModelWarn || iModel == ModelConfirm) ? iModel : int(ModelInfo);
    applyModel();
}

void CModalTipDialog::setContentText(const QString& strText)
{
    m_pTextLabel->setText(strText);
    m_pTextLabel->setAccessibleName(strText);
    setAccessibleDescription(strText);
}

QString CModalTipDialog::contentText() const
{
    return m_pTextLabel->text();
}

void CModalTipDialog::setDialogSize(int iSize)
{
    m_iSize = iSize == SizeLarge ? int(SizeLarge) : int(SizeSmall);
    if (m_iSize == SizeLarge)
        setFixedSize(480, 240);
    else
        setFixedSize(400, 200);
}

void CModalTipDialog::applyModel()
{
    // Without the resource file registered the dialog simply shows no icon.
    const QString icon = iconFor(m_iModel);
    if (QFile::exists(icon))
        m_pIconLabel->setPixmap(QIcon(icon).pixmap(32, 32));
    else
        m_pIconLabel->clear();
    m_pCancelBtn->setVisible(m_iModel == ModelConfirm);
    setWindowTitle(m_iModel == ModelWarn      ? tr("Warning")
                   : m_iModel == ModelConfirm ? tr("Confirm")
                                              : tr("Information"));
}

int CModalTipDialog::exec()
{
    shownDialogs().append(Shown{m_iModel, m_iSize, contentText()});
    if (!pendingAnswers().isEmpty()) {
        const int answer = pendingAnswers().dequeue();
        done(answer);
        return answer;
    }
    m_pConfirmBtn->setFocus();
    return QDialog::exec();
}

bool CModalTipDialog::ShowMessageWarn(const QString& strText, int iSize, QWidget* parent)
{
    // On the heap: a parent that goes away during exec() takes the dialog
    // with it, and a stack object would then be destroyed twice.
    QPointer<CModalTipDialog> dialog = new CModalTipDialog(parent);
    dialog->setDialogModel(ModelWarn);
    dialog->setContentText(strText);
    dialog->setDialogSize(iSize);
    const int result = dialog->exec();
    if (!dialog)
        return false;
    delete dialog.data();
    return result == QDialog::Accepted;
}

void CModalTipDialog::setNextAnswerForTesting(int iResult)
{
    pendingAnswers().enqueue(iResult);
}

void CModalTipDialog::clearAnswersForTesting()
{
    pendingAnswers().clear();
    shownDialogs().clear();
}

QList<CModalTipDialog::Shown> CModalTipDialog::shownForTesting()
{
    return shownDialogs();
}

void CModalTipDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->pos().y() < kDragStripHeight) {
        m_bDragging = true;
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CModalTipDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPos() - m_dragOffset);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CModalTipDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bDragging) {
        m_bDragging = false;
        event->accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

} // namespace quillkit
