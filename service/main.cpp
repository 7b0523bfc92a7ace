#include "platform/memory.h"
#include "servicehost.h"

#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    platform::returnLargeBlocksToSystem();
    try {
        const int port = std::atoi(argv[1]);
        haulmoor::ServiceHost host;
        return host.run(port);
    } catch (...) {
        return -1;
    }
}
