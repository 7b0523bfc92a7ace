#pragma once

#include <QMetaType>

namespace gearmart {

// Where an installed tool's row stands with its upgrade.
enum UpdateState : int
{
    UpdateStateUpToDate = 1,
    UpdateStateAvailable = 2,
    UpdateStateUpdating = 3,
    UpdateStateFailed = 4,
    UpdateStateWaiting = 5,
};

} // namespace gearmart

Q_DECLARE_METATYPE(gearmart::UpdateState)
