#pragma once

#include <QString>

namespace crestui {

// The folder searched for plugins: "plugins" beside the program, without a
// trailing separator.
QString GetTargetPath();

} // namespace crestui
