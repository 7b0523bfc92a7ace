#pragma once

namespace wirelink {

struct ClientTimeouts
{
    int connectMs;
    int stallMs;
};

void ensureCurl();
ClientTimeouts clientTimeouts();
void closeAllListeners();

} // namespace wirelink
