#pragma once

namespace gearmart {

// The version this program was built as (four dot-separated numbers).
const char* builtVersion();

} // namespace gearmart
