#pragma once

#include <cstddef>
#include <string>

namespace haulmoor {

// Converts UTF-8 bytes to the system's 8-bit code page. On Linux that code
// page is UTF-8 itself, so the bytes pass unchanged (invalid sequences too).
bool utf8ToAnsi(const char* data, std::size_t length, std::string& out);

} // namespace haulmoor
