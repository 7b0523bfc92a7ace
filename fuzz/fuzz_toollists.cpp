// The catalog from the cloud and the state list on disk: any bytes are
// refused or give records within the catalog's limits, and a state list
// that was read writes back to the same records.
#include "tooldata/catalogcheck.h"
#include "tooldata/toollistfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

bool sameStates(const QMap<int, gearmart::ToolState>& a, const QMap<int, gearmart::ToolState>& b)
{
    if (a.keys() != b.keys())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const gearmart::ToolState& other = b.value(it.key());
        if (it->CurrentVersion != other.CurrentVersion || it->IsNewTools != other.IsNewTools ||
            it->IsNeedUpdate != other.IsNeedUpdate || it->ListOrder != other.ListOrder)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder(QStringLiteral("/dev/shm/fuzz-toollists-XXXXXX"));
    const QString input = folder.filePath(QStringLiteral("input.xml"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    QMap<int, gearmart::ToolInfo> catalog;
    if (gearmart::readToolCatalog(input, &catalog) && !gearmart::catalogFault(catalog).isEmpty())
        std::abort();

    QMap<int, gearmart::ToolState> states;
    if (!gearmart::readToolStates(input, &states))
        return 0;
    const QString output = folder.filePath(QStringLiteral("states.xml"));
    QMap<int, gearmart::ToolState> again;
    // Texts XML cannot carry may keep a list from being written; never
    // from being read back as written.
    if (gearmart::writeToolStates(output, states) &&
        (!gearmart::readToolStates(output, &again) || !sameStates(states, again)))
        std::abort();
    return 0;
}
