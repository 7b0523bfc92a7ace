#pragma once

#include <QFocusFrame>
#include <QPointer>

class QApplication;

namespace gearmart {

// One ring around whichever control has the keyboard focus, drawn outside
// the control so that style sheets that set their own borders (most of ours
// do) cannot hide it. It follows focus moved by the keyboard only: a mouse
// user sees where they clicked. Widgets that paint their own ring (cards,
// rows) set the property kOwnRing and are left alone.
class FocusRing : public QFocusFrame
{
    Q_OBJECT

public:
    static constexpr const char* kOwnRing = "gearloftOwnFocusRing";

    // Watches the application's focus changes for as long as it lives.
    static FocusRing* install(QApplication* app);

    explicit FocusRing(QWidget* parent = nullptr);

    QWidget* target() const { return widget(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static bool wantsRing(const QWidget* widget);
    void follow(QWidget* widget);
};

} // namespace gearmart
