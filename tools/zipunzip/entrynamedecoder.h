#pragma once

#include <iconv.h>
#include <string>
#include <string_view>

// Turns a stored entry name or link target into UTF-8. Names flagged as
// UTF-8 reach it already converted by libarchive; unflagged ones arrive as
// the raw bytes of whatever code page the packer used, entry by entry.
class EntryNameDecoder
{
public:
    EntryNameDecoder();
    ~EntryNameDecoder();
    EntryNameDecoder(const EntryNameDecoder&) = delete;
    EntryNameDecoder& operator=(const EntryNameDecoder&) = delete;

    // False when the bytes fit none of the code pages tried.
    bool toUtf8(std::string_view stored, std::string& utf8) const;

private:
    static bool convert(iconv_t converter, std::string_view stored, std::string& utf8);

    iconv_t m_fromGbk;
    iconv_t m_fromWestern;
};
