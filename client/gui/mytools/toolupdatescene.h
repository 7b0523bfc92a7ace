#pragma once

#include "mytools/toolmanagescene.h"

namespace gearmart {

// The update list: the installed tools with a newer catalog version. Rows
// are updated one by one or, once checked, in a batch; a row leaves when
// its upgrade completes or its tool is deleted.
class ToolUpdateScene : public ToolManageScene
{
    Q_OBJECT

public:
    // The count reported when every row is checked.
    static constexpr int kAllChecked = 9999;

    explicit ToolUpdateScene(ToolTransfer* transfers, QObject* parent = nullptr);

    void addTool(const ToolInfo& info) override;
    int checkedCount() const;

signals:
    void signalBatchUpdateSelecting(bool bSelecting);
    void signalSubCheckBoxStateChanged(int checkNumber);
    void signalUpgradeCompleted(int iKey);

public slots:
    void onSolveBatchUpdate();
    void onSolveCheckAllState(int state);
    void onSetSubCkeckBoxVisible(bool visible);
    void onToolDeleted(int iToolkey);
    void onUpgradeCompleted(int iKey);
    void onSubCheckBoxStateChanged();

private:
    // A finished upgrade takes its tool off the list.
    void onTransfersChanged(QVector<int> toolKeys);

    bool m_bSettingAll = false;
};

} // namespace gearmart
