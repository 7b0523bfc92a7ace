// Stands in for the client in Swapover's tests; the tests copy it to a file
// named Gearloft, so that its process carries the client's image name.
//
//   Gearloft --exit-after MS   runs MS milliseconds and ends (the old client)
//   Gearloft ARGS...           writes "restarted.txt" beside itself (its pid,
//                              working folder and arguments, one a line) and
//                              runs until it is ended, at most 60 s, so that
//                              nothing is left behind when a test dies.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--exit-after") == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
        return 0;
    }
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return 1;
    std::string dir(buffer, static_cast<std::size_t>(n));
    dir.resize(dir.rfind('/'));
    std::string content = std::to_string(getpid()) + "\n";
    if (getcwd(buffer, sizeof buffer))
        content += buffer;
    content += "\n";
    for (int i = 1; i < argc; ++i)
        content += std::string(argv[i]) + "\n";
    // Written whole and renamed, so a test never reads half of it.
    const std::string partial = dir + "/restarted.txt.part";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return 1;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    std::rename(partial.c_str(), (dir + "/restarted.txt").c_str());
    std::this_thread::sleep_for(std::chrono::seconds(60));
    return 0;
}
