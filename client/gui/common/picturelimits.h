#pragma once

#include <QtGlobal>

namespace gearmart {

// Bounds on the material's pictures, which arrive from the cloud: a small
// compressed file can unpack into gigabytes of pixels, so the header is read
// before anything is decoded.
struct PictureLimits
{
    // The shipped pictures are tens of kilobytes; a banner stays far below.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
    // No page shows a picture wider or taller than a large screen.
    static constexpr int kMaxSide = 4096;
    // A decode costs four bytes a pixel. The largest picture a page shows is
    // 768 x 486; this leaves room for sharp ones at 16 MiB each.
    static constexpr qint64 kMaxPixels = 2560LL * 1600;
};

} // namespace gearmart
