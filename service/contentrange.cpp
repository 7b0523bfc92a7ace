#include "contentrange.h"

#include <cctype>

namespace haulmoor {

namespace {

bool readNumber(const std::string& text, std::size_t& at, std::int64_t& value)
{
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        if (value > (INT64_MAX - 9) / 10)
            return false;
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return at > start;
}

void skipBlanks(const std::string& text, std::size_t& at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
}

} // namespace

bool ContentRange::parse(const std::string& text, ContentRange& range)
{
    std::size_t at = 0;
    skipBlanks(text, at);
    if (text.compare(at, 5, "bytes") != 0)
        return false;
    at += 5;
    skipBlanks(text, at);
    ContentRange parsed;
    if (!readNumber(text, at, parsed.first) || at >= text.size() || text[at++] != '-' ||
        !readNumber(text, at, parsed.last) || at >= text.size() || text[at++] != '/')
        return false;
    if (at < text.size() && text[at] == '*')
        ++at;
    else if (!readNumber(text, at, parsed.size))
        return false;
    skipBlanks(text, at);
    if (at != text.size() || parsed.last < parsed.first || (parsed.size >= 0 && parsed.last >= parsed.size))
        return false;
    range = parsed;
    return true;
}

} // namespace haulmoor
