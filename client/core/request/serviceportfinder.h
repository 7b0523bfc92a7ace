#pragma once

namespace gearmart {

// Finds a TCP port the service can listen on: 20008, 20010, ... tried in
// turn, at most 99 of them. A port counts as free when it can be bound.
class ServicePortFinder
{
public:
    static constexpr int kFirstPort = 20008;
    static constexpr int kStep = 2;
    static constexpr int kAttempts = 99;

    // The first free port, or -1 when none of them is.
    static int find(int firstPort = kFirstPort);
};

} // namespace gearmart
