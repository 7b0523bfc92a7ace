#pragma once

#include "request/transferprogress.h"

#include <QLabel>

namespace gearmart {

// The small line under a download's progress bar with bytes, speed and time
// left of one tool. It listens to the hub for its tool by itself; its owner
// only says whether that tool's download is running (setActive). It stays
// hidden while inactive and while the replies carry no figures, and shortens
// its text to the room it gets (the whole line is its tool tip).
class TransferProgressLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TransferProgressLabel(int iToolkey, QWidget* parent = nullptr);

    int toolKey() const { return m_iToolKey; }
    bool isActive() const { return m_bActive; }
    // Going inactive hides the line and forgets its figures at once.
    void setActive(bool bActive);
    // The whole line, before any shortening; empty while hidden.
    QString fullText() const { return m_qstrFullText; }

public slots:
    // Figures for any tool; only this label's own tool counts.
    void onTransferProgress(int iToolkey, gearmart::TransferProgress progress);
    // Shows these figures, or hides the line when they are not known.
    void showProgress(const gearmart::TransferProgress& progress);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitText();

    int m_iToolKey;
    bool m_bActive = false;
    QString m_qstrFullText;
};

} // namespace gearmart
