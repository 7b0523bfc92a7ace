#pragma once

#include <string>

struct StreamRecord;

namespace haulmoor {

// What a resume's If-Range may carry from an answer: its ETag when strong,
// else its Last-Modified; empty when it has neither.
std::string streamValidator(const StreamRecord& record);

} // namespace haulmoor
