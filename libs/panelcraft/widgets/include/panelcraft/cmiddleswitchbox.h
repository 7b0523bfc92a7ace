#pragma once

#include <QCheckBox>

namespace crestui {

// A painted on/off switch that behaves as a two-state check box: state() is 0
// (off) or 2 (on), stateChanged(int) reports changes, Space toggles it, and
// assistive tools see a check box. Its accessible name starts as "Switch";
// set the name of the setting it controls.
class CMiddleSwitchBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit CMiddleSwitchBox(QWidget* parent = nullptr);

    int state() const { return checkState() == Qt::Checked ? Qt::Checked : Qt::Unchecked; }
    // 0 turns it off; any other value turns it on.
    void setState(int iState);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void nextCheckState() override;

private:
    QRectF trackRect() const;
};

} // namespace crestui
