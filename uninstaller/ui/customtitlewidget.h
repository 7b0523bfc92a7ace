#pragma once

#include "quillkit/fancytitle.h"

class QLabel;
class QPushButton;

namespace appinstaller {

// The title bar: icon, product title and close button; drags the window.
class CustomTitleWidget : public quillkit::CFancyTitle
{
    Q_OBJECT

public:
    explicit CustomTitleWidget(QWidget* parent = nullptr);

    QPushButton* closeButton() const { return m_pCloseBtn; }
    QLabel* titleLabel() const { return m_pTitleLabel; }

signals:
    void signalClose();

private:
    QLabel* m_pIconLabel;
    QLabel* m_pTitleLabel;
    QPushButton* m_pCloseBtn;
};

} // namespace appinstaller
