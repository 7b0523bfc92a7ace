#include "transientname.h"

#include "platform/processes.h"

#include <atomic>
#include <cstdlib>

namespace haulmoor {

namespace {
const std::string kStart = ".haulmoor-";
const std::string kOlderStart = ".haulmoor-unpack-";
std::atomic<unsigned long> g_counter{0};
} // namespace

std::string TransientName::prefix()
{
    return kStart + std::to_string(platform::currentProcessId()) + "-";
}

std::string TransientName::next(const std::string& suffix)
{
    std::string name = prefix() + std::to_string(g_counter++);
    if (!suffix.empty())
        name += "-" + suffix;
    return name;
}

pid_t TransientName::ownerOf(const std::string& name)
{
    std::size_t at = 0;
    if (name.compare(0, kOlderStart.size(), kOlderStart) == 0)
        at = kOlderStart.size();
    else if (name.compare(0, kStart.size(), kStart) == 0)
        at = kStart.size();
    else
        return 0;
    const auto dash = name.find('-', at);
    if (dash == std::string::npos || dash == at || dash - at > 9)
        return 0;
    const std::string digits = name.substr(at, dash - at);
    if (digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return static_cast<pid_t>(std::atol(digits.c_str()));
}

} // namespace haulmoor
