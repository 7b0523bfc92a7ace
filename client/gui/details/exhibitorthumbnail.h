#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QLabel;

namespace gearmart {

// One detail picture in small, as a button of the strip under the picture
// viewer. Its background comes from its style sheet, which marks the
// selected one.
class ExhibitorThumbnail : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int kWidth = 112;
    static constexpr int kHeight = 72;

    ExhibitorThumbnail(int iIndex, const QPixmap& picture, const QString& qstrToolName,
                       QWidget* parent = nullptr);

    int index() const { return m_iIndex; }
    QSize sizeHint() const override { return QSize(kWidth, kHeight); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_iIndex;
    QLabel* m_centerLabel;
};

} // namespace gearmart
