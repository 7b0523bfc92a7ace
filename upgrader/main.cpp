#include "platform/spawn.h"
#include "toolapplication.h"

int main(int argc, char* argv[])
{
    // Started by the client, it keeps the client's output after the client ends.
    platform::ignoreBrokenPipes();
    char** arguments = swapover::ToolApplication::withPlatformFallback(argc, argv);
    swapover::ToolApplication app(argc, arguments);
    return app.run();
}
