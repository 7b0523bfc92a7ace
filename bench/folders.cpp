#include "folders.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace bench {

bool freshFolder(const std::string& dir, std::string& error)
{
    std::error_code code;
    fs::remove_all(dir, code);
    if (!code)
        fs::create_directories(dir, code);
    if (code)
        error = "cannot empty " + dir + ": " + code.message();
    return !code;
}

std::int64_t folderBytes(const std::string& dir)
{
    std::error_code code;
    std::int64_t total = 0;
    for (fs::recursive_directory_iterator it(dir, code), end; it != end; it.increment(code)) {
        if (code)
            return -1;
        if (it->is_regular_file(code))
            total += static_cast<std::int64_t>(it->file_size(code));
    }
    return code ? -1 : total;
}

std::string fileNameOf(const std::string& url)
{
    const auto slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

} // namespace bench
