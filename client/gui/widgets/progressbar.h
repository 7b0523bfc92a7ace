#pragma once

#include <QColor>
#include <QFont>
#include <QProgressBar>

namespace gearmart {

// The pill-shaped download bar: a grey track, a coloured chunk with round
// ends, and white text in the middle. kPercentMode shows the percentage; any
// other mode shows the stored text. text() returns exactly what is drawn.
class ProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    // The modes the pages use.
    static constexpr int kPercentMode = 0;
    static constexpr int kFailureMode = 1;
    static constexpr int kWaitingMode = 2;

    explicit ProgressBar(QWidget* parent = nullptr);

    void setChunkColor(const QColor& color);
    QColor chunkColor() const { return m_chunkColor; }
    void setGrooveColor(const QColor& color);
    QColor grooveColor() const { return m_grooveColor; }
    // Dark enough to read at 4.5:1 on the groove and on every chunk colour
    // the pages use (green, red); white on them was not.
    static QColor textColor() { return QColor(0x11, 0x11, 0x11); }
    void setTextFont(const QFont& font);
    QFont textFont() const { return m_textFont; }
    void setText(const QString& qstrText);
    QString storedText() const { return m_qstrText; }
    void setMode(int iMode);
    int mode() const { return m_iMode; }

    // Filled share of the bar, 0 to 1.
    double ratio() const;
    QString text() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_chunkColor;
    QColor m_grooveColor;
    QFont m_textFont;
    QString m_qstrText;
    int m_iMode = 0;
};

} // namespace gearmart
