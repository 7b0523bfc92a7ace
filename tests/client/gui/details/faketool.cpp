// Stands in for an installed tool: runs until it is ended, at most two
// minutes so that a failed test leaves nothing behind for long.
#include <chrono>
#include <thread>

int main()
{
    std::this_thread::sleep_for(std::chrono::minutes(2));
    return 0;
}
