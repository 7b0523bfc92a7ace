#pragma once

#include "tooldata/toolinfo.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

// The tool's name, its description cut to a few lines with "...more" to
// read it all, and the notes on the newest version when an update waits.
class MoreInfoRightTopWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTextWidth = 768;
    static constexpr int kCollapsedLines = 4;
    static constexpr int kCollapsedLinesWithUpdate = 1;
    static constexpr int kExpandedLines = 100;

    explicit MoreInfoRightTopWidget(const ToolInfo& record, QWidget* parent = nullptr);

    // Re-reads the texts and whether an update waits (the state may have
    // changed since the page was built); a description stays as expanded
    // or collapsed as it was.
    void refresh();

    int lineLimit() const { return m_iLineLimit; }
    bool isIntroExpanded() const { return m_bIntroExpanded; }
    bool isUpdateExpanded() const { return m_bUpdateExpanded; }

    // The description as the label shows it under a line limit, measured
    // with the given font: whole, or cut at the right end.
    static QString elidedDescription(const QString& qstrText, const QFont& font, int iLines);

public slots:
    void onIntroMoreClicked();
    void onUpdateMoreClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildForm();
    int collapsedLines() const;
    void paintDescription();

    int m_iToolKey;
    QString m_qstrName;
    QString m_qstrIntro;
    QString m_qstrUpdateIntro;
    bool m_bNeedsUpdate = false;
    int m_iLineLimit = kCollapsedLines;
    bool m_bIntroExpanded = false;
    bool m_bUpdateExpanded = false;

    QWidget* introWidget = nullptr;
    QLabel* toolName = nullptr;
    QLabel* introTextLabel = nullptr;
    QPushButton* introMoreBtn = nullptr;
    QWidget* updateWidget = nullptr;
    QLabel* updateTittle = nullptr;
    QLabel* updateTextLabel = nullptr;
    QPushButton* updateMoreBtn = nullptr;
};

} // namespace gearmart
