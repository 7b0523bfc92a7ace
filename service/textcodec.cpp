#include "textcodec.h"

namespace haulmoor {

bool utf8ToAnsi(const char* data, std::size_t length, std::string& out)
{
    out.assign(data ? data : "", data ? length : 0);
    return true;
}

} // namespace haulmoor
