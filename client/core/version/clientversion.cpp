#include "version/clientversion.h"

#include "version/buildversion.h"

namespace gearmart {

const char* builtVersion()
{
    return GEARLOFT_VERSION;
}

} // namespace gearmart
