#include "utf8localescope.h"
#include "zipextractor.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The reason may quote entry names; keep it to one line whatever they hold.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");
    if (!Utf8LocaleScope::currentCodesetIsUtf8())
        std::setlocale(LC_CTYPE, "C.UTF-8");

    if (argc != 4 || std::strcmp(argv[1], "1") != 0) {
        std::fprintf(stderr, "usage: ZipUnzip 1 PACKAGE DIR\n");
        return static_cast<int>(ExitCode::Usage);
    }
    // Without TZ, glibc checks /etc/localtime again for every entry's time stamp.
    setenv("TZ", ":/etc/localtime", 0);
    ZipExtractor extractor;
    extractor.setMayChangeWorkingFolder(true);
    const ExtractResult result = extractor.extract(argv[2], argv[3]);
    if (!result.ok)
        std::fprintf(stderr, "ZipUnzip: %s\n", oneLine(result.reason).c_str());
    return static_cast<int>(result.code);
}
