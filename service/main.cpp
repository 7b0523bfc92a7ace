#include "accesstoken.h"
#include "leftoversweeper.h"
#include "platform/memory.h"
#include "servicehost.h"
#include "servicelog.h"

#include <cstdlib>
#include <exception>
#include <utility>

int main(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    platform::returnLargeBlocksToSystem();
    try {
        const int port = std::atoi(argv[1]);
        // Read while this is the only thread: the environment is not thread-safe.
        haulmoor::AccessToken token = haulmoor::AccessToken::fromEnvironment();
        haulmoor::openServiceLog();
        haulmoor::ServiceHost host;
        // A service that was killed left its partial work; nobody else ends it.
        haulmoor::LeftoverSweeper::sweepAll(host.options(), host.setupPath);
        host.setAccessToken(std::move(token));
        return host.run(port);
    } catch (...) {
        return -1;
    }
}
