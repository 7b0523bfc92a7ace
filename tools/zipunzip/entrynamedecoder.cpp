#include "entrynamedecoder.h"

#include <initializer_list>
#include <utility>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Every two-byte character in the common GB2312 block (both bytes 0xA1 and
// up). Read as CP1252 such names are runs of accented letters and symbols,
// which Western names hardly ever hold.
bool onlyGb2312Pairs(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char lead = text[i];
        if (lead < 0x80)
            continue;
        if (lead < 0xA1 || lead > 0xF7 || ++i == text.size() || static_cast<unsigned char>(text[i]) < 0xA1 ||
            static_cast<unsigned char>(text[i]) == 0xFF)
            return false;
    }
    return true;
}

// Every byte above ASCII is a CP1252 letter (no symbols, no × or ÷).
bool onlyWesternLetters(std::string_view text)
{
    for (const char c : text) {
        const unsigned char b = c;
        const bool letter = (b >= 0xC0 && b != 0xD7 && b != 0xF7) || b == 0x8A || b == 0x8C || b == 0x8E ||
                            b == 0x9A || b == 0x9C || b == 0x9E || b == 0x9F;
        if (b >= 0x80 && !letter)
            return false;
    }
    return true;
}

bool isUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned lead = static_cast<unsigned char>(text[i++]);
        if (lead < 0x80)
            continue;
        if (lead < 0xC2 || lead > 0xF4)
            return false;
        const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        unsigned cp = lead & (0x3F >> more);
        for (int k = 0; k < more; ++k, ++i) {
            const unsigned trail = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
            if ((trail & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (trail & 0x3F);
        }
        const unsigned smallest = more == 1 ? 0x80 : more == 2 ? 0x800 : 0x10000;
        if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
    }
    return true;
}

} // namespace

EntryNameDecoder::EntryNameDecoder()
    : m_fromGbk(iconv_open("UTF-8", "CP936")), m_fromWestern(iconv_open("UTF-8", "CP1252"))
{
}

EntryNameDecoder::~EntryNameDecoder()
{
    for (iconv_t converter : {m_fromGbk, m_fromWestern})
        if (converter != kNoConverter)
            iconv_close(converter);
}

// Valid UTF-8 is taken as such: Info-ZIP on Unix writes it without the flag,
// and legacy bytes seldom happen to form it. Otherwise GBK wins when all its
// characters are common Chinese ones, CP1252 when all it yields are Latin
// letters ("Müller" is also valid GBK, with a rare character for "ül");
// failing both, whichever code page accepts the bytes at all.
bool EntryNameDecoder::toUtf8(std::string_view stored, std::string& utf8) const
{
    if (isUtf8(stored)) {
        utf8.assign(stored);
        return true;
    }
    if (onlyGb2312Pairs(stored) && convert(m_fromGbk, stored, utf8))
        return true;
    if (onlyWesternLetters(stored) && convert(m_fromWestern, stored, utf8))
        return true;
    return convert(m_fromGbk, stored, utf8) || convert(m_fromWestern, stored, utf8);
}

bool EntryNameDecoder::convert(iconv_t converter, std::string_view stored, std::string& utf8)
{
    if (converter == kNoConverter)
        return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    // Both code pages need at most three UTF-8 bytes per byte.
    std::string out(stored.size() * 3, '\0');
    char* in = const_cast<char*>(stored.data());
    size_t inLeft = stored.size();
    char* next = out.data();
    size_t outLeft = out.size();
    if (iconv(converter, &in, &inLeft, &next, &outLeft) == size_t(-1) || inLeft != 0)
        return false;
    out.resize(out.size() - outLeft);
    utf8 = std::move(out);
    return true;
}
