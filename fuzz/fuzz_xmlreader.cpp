// Every settings, state and catalog file goes through this reader, and the
// catalog comes from the cloud: any bytes are refused or read into a tree
// that can be walked, and what the tree writes back reads again.
#include "panelcraft/genericds.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

int walk(const crestui::GenericDS& element, int depth)
{
    int visited = 1;
    element.GetValue();
    for (const crestui::GenericDS& child : element.GetChildren())
        visited += walk(child, depth + 1);
    return visited;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    crestui::GenericDS root;
    if (!root.loadXMLData(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size))))
        return 0;
    const int elements = walk(root, 0);
    const QByteArray written = root.toXmlData();
    crestui::GenericDS again;
    if (!again.loadXMLData(written) || walk(again, 0) != elements)
        std::abort();
    return 0;
}
