#pragma once

#include <string>
#include <utility>

// The calling service treats 1 as success; everything else is a failure.
enum class ExitCode : int
{
    Success = 1,
    Usage = 2,
    BadArchive = 3,
    WriteFailed = 4,
    NoSpace = 5 // the disk or the quota is full
};

struct ExtractResult
{
    bool ok = true;
    ExitCode code = ExitCode::Success;
    std::string reason;

    static ExtractResult failure(ExitCode code, std::string reason)
    {
        return ExtractResult{false, code, std::move(reason)};
    }
};
