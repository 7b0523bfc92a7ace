#include "downloadpath.h"

#include "servicelog.h"
#include "textcodec.h"

#include <fstream>
#include <utility>

namespace haulmoor {

namespace {
void eraseAll(std::string& text, const std::string& what)
{
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
}

void appendUtf8(std::string& out, unsigned long code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The client's XML writer escapes "&", "<" and ">" in a path; without
// decoding them a folder such as "Tools & Games" would not be found.
std::string decodeEntities(const std::string& text)
{
    static const std::pair<const char*, char> named[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        bool decoded = false;
        for (const auto& [entity, character] : named) {
            const std::string name(entity);
            if (text.compare(i, name.size(), name) == 0) {
                out += character;
                i += name.size();
                decoded = true;
                break;
            }
        }
        if (!decoded && text.compare(i, 2, "&#") == 0) {
            const auto end = text.find(';', i);
            const bool hex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
            const std::string digits = end == std::string::npos
                                           ? std::string()
                                           : text.substr(i + (hex ? 3 : 2), end - i - (hex ? 3 : 2));
            if (!digits.empty() && digits.size() <= 8 &&
                digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") ==
                    std::string::npos) {
                const unsigned long code = std::stoul(digits, nullptr, hex ? 16 : 10);
                if (code > 0 && code <= 0x10FFFF) {
                    appendUtf8(out, code);
                    i = end + 1;
                    decoded = true;
                }
            }
        }
        if (!decoded)
            out += text[i++];
    }
    return out;
}

// The line after the first line holding "<KEY>", Value tags removed; found
// tells whether such a line was there.
bool readRawValue(const std::string& setupPath, const std::string& key, std::string& raw,
                  bool* found = nullptr)
{
    std::ifstream file(setupPath, std::ios::binary);
    if (!file)
        return false;
    const std::string tag = "<" + key + ">";
    raw.clear();
    std::string line;
    while (std::getline(file, line)) {
        if (line.find(tag) == std::string::npos)
            continue;
        if (found)
            *found = true;
        if (std::getline(file, raw)) {
            // A file written on Windows ends its lines with CR LF.
            if (!raw.empty() && raw.back() == '\r')
                raw.pop_back();
            eraseAll(raw, "<Value>");
            eraseAll(raw, "</Value>");
        }
        break;
    }
    return true;
}

std::string trimmed(const std::string& raw)
{
    const auto first = raw.find_first_not_of(" \t");
    const auto last = raw.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : raw.substr(first, last - first + 1);
}

} // namespace

TransferMode readTransferMode(const std::string& setupPath)
{
    std::string raw;
    if (!readRawValue(setupPath, "TransferMode", raw))
        return TransferMode::Ranges;
    return trimmed(raw) == "1" ? TransferMode::Stream : TransferMode::Ranges;
}

int readTransferConnections(const std::string& setupPath, int fallback)
{
    std::string raw;
    bool present = false;
    if (!readRawValue(setupPath, "TransferConnections", raw, &present) || !present)
        return fallback;
    const std::string value = trimmed(raw);
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '8')
        return value[0] - '0';
    serviceLog("settings",
               "TransferConnections \"" + value + "\" is not 1 to 8; using " + std::to_string(fallback));
    return fallback;
}

std::string readCaFile(const std::string& setupPath)
{
    std::string raw;
    if (!readRawValue(setupPath, "CaFile", raw))
        return {};
    const std::string path = trimmed(decodeEntities(raw));
    if (path.empty() || path.front() == '/')
        return path;
    const auto slash = setupPath.rfind('/');
    return slash == std::string::npos ? path : setupPath.substr(0, slash + 1) + path;
}

std::string readDownloadPath(const std::string& setupPath, const std::string& fallback)
{
    std::string raw;
    if (!readRawValue(setupPath, "DownloadPath", raw))
        return fallback;
    raw = decodeEntities(raw);
    std::string path;
    if (!utf8ToAnsi(raw.data(), raw.size(), path))
        return fallback;
    return path;
}

} // namespace haulmoor
