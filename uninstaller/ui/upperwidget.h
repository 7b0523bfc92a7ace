#pragma once

#include <QWidget>

namespace appinstaller {

class CustomTitleWidget;

// The upper part of both pages: the background picture (from the style
// sheet) and the title bar.
class UpperWidget : public QWidget
{
    Q_OBJECT

public:
    explicit UpperWidget(QWidget* parent = nullptr);

    CustomTitleWidget* titleWidget() const { return m_pTopTitleWidget; }

signals:
    void signalClose();

private:
    CustomTitleWidget* m_pTopTitleWidget;
};

} // namespace appinstaller
