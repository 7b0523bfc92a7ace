#include "servicelog.h"

#include "platform/logfile.h"

#include <atomic>
#include <cstdio>

namespace haulmoor {

namespace {
// Set once in main before any other thread runs and never freed: a worker
// that logs while the process ends must not find it gone.
platform::LogFile* g_file = nullptr;
std::atomic<bool> g_fileOpen{false};
} // namespace

void openServiceLog()
{
    if (g_fileOpen.load())
        return;
    const std::string folder = platform::defaultLogFolder();
    if (folder.empty())
        return;
    g_file = new platform::LogFile(folder, "haulmoor");
    g_fileOpen.store(true);
}

void serviceLog(const char* category, const std::string& text)
{
    // Standard output keeps the bare text, as readers of it expect.
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
    if (g_fileOpen.load())
        g_file->write(platform::logTimestamp() + " Haulmoor " + category + ": " + text);
}

} // namespace haulmoor
