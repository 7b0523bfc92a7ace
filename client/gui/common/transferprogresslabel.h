#pragma once

#include "request/transferprogress.h"

#include <QLabel>

namespace gearmart {

// The small line under a download's progress bar with bytes, speed and time
// left. Its owner shows the figures and says whether the download is running
// (setActive); the line stays hidden while inactive and while the figures
// are not known, and shortens its text to the room it gets (the whole line
// is its tool tip).
class TransferProgressLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TransferProgressLabel(QWidget* parent = nullptr);

    bool isActive() const { return m_bActive; }
    // Going inactive hides the line and forgets its figures at once.
    void setActive(bool bActive);
    // The whole line, before any shortening; empty while hidden.
    QString fullText() const { return m_qstrFullText; }

public slots:
    // Shows these figures, or hides the line when they are not known.
    void showProgress(const gearmart::TransferProgress& progress);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitText();

    bool m_bActive = false;
    QString m_qstrFullText;
};

} // namespace gearmart
