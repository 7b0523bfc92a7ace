#pragma once

#include "tooldata/toolinfo.h"

#include <QWidget>

class QScrollArea;

namespace gearmart {

class BaseConfigButon;
class MoreInfoLeftWidget;
class MoreInfoRightBottomWidget;
class MoreInfoRightTopWidget;
class ToolTransfer;

// The details page of one tool: "Home Page" back to the catalog, the left
// column with logo, actions and facts, and at the right the texts above the
// detail pictures. The main window makes one per tool; its left column
// renders the tool's transfer.
class ToolMoreInfoWidget : public QWidget
{
    Q_OBJECT

public:
    ToolMoreInfoWidget(ToolInfo record, ToolTransfer* transfers, QWidget* parent = nullptr);

    int toolKey() const { return m_toolInfo.ToolKey; }
    const ToolInfo& toolInfo() const { return m_toolInfo; }
    MoreInfoLeftWidget* leftPart() const { return m_pLeftWidget; }
    MoreInfoRightTopWidget* rightTopPart() const { return m_pRightTopWidget; }
    MoreInfoRightBottomWidget* rightBottomPart() const { return m_pRightBottomWidget; }

signals:
    void signalGoBackToToolDownWidget();
    void signalCover(bool bCover);
    // In: a tool deleted on the my-tools board.
    void signalToolDeleted(int iToolkey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildForm(ToolTransfer* transfers);
    void makeConnections();

    ToolInfo m_toolInfo;
    BaseConfigButon* goBackBtn = nullptr;
    QWidget* leftWidget = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* rightTopWidget = nullptr;
    QWidget* rightBottomWidget = nullptr;
    MoreInfoLeftWidget* m_pLeftWidget = nullptr;
    MoreInfoRightTopWidget* m_pRightTopWidget = nullptr;
    MoreInfoRightBottomWidget* m_pRightBottomWidget = nullptr;
};

} // namespace gearmart
