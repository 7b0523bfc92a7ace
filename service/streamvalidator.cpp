#include "streamvalidator.h"

#include "wirelink/wirelink.h"

#include <cstring>

namespace haulmoor {

std::string streamValidator(const StreamRecord& record)
{
    if (record.etag[0] && std::strncmp(record.etag, "W/", 2) != 0)
        return record.etag;
    return record.lastModified;
}

} // namespace haulmoor
