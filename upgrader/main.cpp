#include "toolapplication.h"

int main(int argc, char* argv[])
{
    swapover::ToolApplication app(argc, argv);
    return app.run();
}
