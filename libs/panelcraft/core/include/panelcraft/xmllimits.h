#pragma once

#include <QtGlobal>

namespace crestui {

// Bounds on one XML document read into the tree. Files may come from the
// network, so a hostile one must cost a refusal, never the process's memory
// or minutes of work. The defaults serve every settings file; readers of
// downloaded files pass stricter ones.
struct XmlLimits
{
    // Settings and state lists are kilobytes; a file this large is not ours.
    static constexpr qint64 kGenericMaxBytes = 16 * 1024 * 1024;
    // Our documents are three levels deep; inserting into the tree costs the depth.
    static constexpr int kGenericMaxDepth = 32;
    // Each element costs a few hundred bytes of tree.
    static constexpr int kGenericMaxElements = 200000;
    // Our files carry none; the reader's cost grows with the square per tag.
    static constexpr int kGenericMaxAttributes = 64;

    qint64 maxBytes = kGenericMaxBytes;
    int maxDepth = kGenericMaxDepth;
    int maxElements = kGenericMaxElements;
    int maxAttributes = kGenericMaxAttributes;
};

} // namespace crestui
