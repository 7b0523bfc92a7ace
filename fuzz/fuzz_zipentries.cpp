// Packages are the cloud's to shape: whatever bytes arrive, unpacking either
// refuses them or writes only inside the target folder, and no link it
// leaves points out of it.
#include "zipextractor.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path& workFolder()
{
    static const fs::path folder = [] {
        char pattern[] = "/dev/shm/fuzz-zipentries-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made)
            std::abort();
        return fs::path(made);
    }();
    return folder;
}

bool inside(const fs::path& path, const fs::path& root)
{
    const std::string text = path.lexically_normal().string();
    const std::string prefix = root.string() + '/';
    return text == root.string() || text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path package = workFolder() / "package.zip";
    const fs::path target = workFolder() / "target";
    const fs::path beside = workFolder() / "beside";
    std::error_code error;
    fs::remove_all(target, error);
    fs::remove_all(beside, error);
    fs::create_directories(beside, error);
    if (std::FILE* file = std::fopen(package.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }

    ZipExtractor extractor;
    extractor.setByteBudget(4 * 1024 * 1024);
    extractor.extract(package.string(), target.string());

    if (!fs::is_empty(beside, error))
        std::abort();
    for (fs::recursive_directory_iterator it(target, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_symlink(error))
            continue;
        const fs::path pointsTo = it->path().parent_path() / fs::read_symlink(it->path(), error);
        if (!inside(pointsTo, target))
            std::abort();
    }
    return 0;
}
