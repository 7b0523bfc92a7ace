#include "tooldata/toolcategory.h"

namespace gearmart {

int ToolCategory::of(int iToolType)
{
    switch (iToolType) {
    case kSystem:
    case kNetwork:
    case kOfficeAndMedia:
        return iToolType;
    default:
        return kOther;
    }
}

QString ToolCategory::name(int iCategory)
{
    switch (of(iCategory)) {
    case kSystem:
        return tr("System tools");
    case kNetwork:
        return tr("Network tools");
    case kOfficeAndMedia:
        return tr("Office and media");
    default:
        return tr("Utilities");
    }
}

} // namespace gearmart
