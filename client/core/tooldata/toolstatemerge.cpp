#include "tooldata/toolstatemerge.h"

#include "tooldata/tooldatamanager.h"

namespace gearmart {

namespace {
constexpr int kManagerKey = 1;
}

QMap<int, ToolState> mergeToolStates(const QMap<int, ToolInfo>& catalog, const QMap<int, ToolState>& states)
{
    QMap<int, ToolState> merged;
    for (auto it = catalog.cbegin(); it != catalog.cend(); ++it) {
        const int key = it.key();
        const QString& catalogVersion = it.value().Version;
        const auto known = states.constFind(key);
        if (known == states.cend()) {
            ToolState fresh;
            fresh.ToolKey = key;
            fresh.CurrentVersion = catalogVersion;
            fresh.IsNewTools = 1;
            merged.insert(key, fresh);
            continue;
        }
        ToolState state = known.value();
        if (!ToolDataManager::versionLess(state.CurrentVersion, catalogVersion)) {
            state.IsNeedUpdate = 0;
        } else if (state.IsDownload == 1) {
            state.IsNeedUpdate = 1;
        } else if (key != kManagerKey) {
            // Nothing installed to update: just remember the newest version.
            state.CurrentVersion = catalogVersion;
            state.IsNeedUpdate = 0;
        }
        merged.insert(key, state);
    }
    return merged;
}

} // namespace gearmart
