// A server's Content-Range header decides where a resumed download's bytes
// land: whatever it says, the parse must give one satisfied range or none.
#include "contentrange.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    haulmoor::ContentRange range;
    if (!haulmoor::ContentRange::parse(text, range))
        return 0;
    if (range.first < 0 || range.last < range.first || (range.size >= 0 && range.last >= range.size))
        std::abort();
    return 0;
}
