#include "tooldata/catalogcheck.h"

#include "tooldata/cataloglimits.h"

namespace gearmart {

namespace {

constexpr int kMaterialKey = 0;
constexpr int kManagerKey = 1;
// The four characters of ".exe" that the install folder name drops.
constexpr int kExeSuffixLength = 4;

QString textFault(const ToolInfo& info)
{
    const struct
    {
        const char* name;
        const QString& text;
        int limit;
    } fields[] = {
        {"ToolCHName", info.ToolCHName, CatalogLimits::kMaxShortText},
        {"ToolENName", info.ToolENName, CatalogLimits::kMaxShortText},
        {"Version", info.Version, CatalogLimits::kMaxShortText},
        {"IconMinName", info.IconMinName, CatalogLimits::kMaxShortText},
        {"IconMidName", info.IconMidName, CatalogLimits::kMaxShortText},
        {"IconMaxName", info.IconMaxName, CatalogLimits::kMaxShortText},
        {"BriefCHIntro", info.BriefCHIntro, CatalogLimits::kMaxDescription},
        {"BriefENIntro", info.BriefENIntro, CatalogLimits::kMaxDescription},
        {"UpdateCHIntro", info.UpdateCHIntro, CatalogLimits::kMaxDescription},
        {"UpdateENIntro", info.UpdateENIntro, CatalogLimits::kMaxDescription},
        {"ExeName", info.ExeName, CatalogLimits::kMaxShortText},
        {"updateDate", info.updateDate, CatalogLimits::kMaxShortText},
        {"DownloadCHUrl", info.DownloadCHUrl, CatalogLimits::kMaxShortText},
        {"DownloadENUrl", info.DownloadENUrl, CatalogLimits::kMaxShortText},
    };
    for (const auto& field : fields) {
        if (field.text.size() > field.limit)
            return QStringLiteral("%1 is %2 characters long, more than %3")
                .arg(QLatin1String(field.name))
                .arg(field.text.size())
                .arg(field.limit);
    }
    return {};
}

QString nameFault(const ToolInfo& info)
{
    // Icon names are joined to the material folder, the program name to the
    // tools' folder.
    const struct
    {
        const char* name;
        const QString& text;
    } names[] = {
        {"IconMinName", info.IconMinName},
        {"IconMidName", info.IconMidName},
        {"IconMaxName", info.IconMaxName},
        {"ExeName", info.ExeName},
    };
    for (const auto& name : names) {
        if (!name.text.isEmpty() && !isPlainFileName(name.text))
            return QStringLiteral("%1 \"%2\" is not a plain file name")
                .arg(QLatin1String(name.name), name.text);
    }
    // The English name is a display name, but also names the folder of the
    // detail pictures: it must not climb out of the material.
    if (info.ToolENName.contains(QLatin1String("..")))
        return QStringLiteral("ToolENName \"%1\" climbs out of the material folder").arg(info.ToolENName);
    // Without a name left once ".exe" is dropped, the tool's folder would be
    // the folder of all tools. (No program name at all means no folder.)
    const bool isTool = info.ToolKey != kMaterialKey && info.ToolKey != kManagerKey;
    const QString folderName = info.ExeName.left(qMax(0, info.ExeName.size() - kExeSuffixLength));
    if (isTool && !info.ExeName.isEmpty() && !isPlainFileName(folderName))
        return QStringLiteral("ExeName \"%1\" names no program folder").arg(info.ExeName);
    return {};
}

} // namespace

bool isPlainFileName(const QString& qstrName)
{
    if (qstrName.isEmpty() || qstrName.contains(QLatin1Char('/')) || qstrName.contains(QLatin1Char('\\')) ||
        qstrName.contains(QLatin1String("..")) || qstrName == QLatin1String("."))
        return false;
    for (const QChar c : qstrName) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString catalogFault(const QMap<int, ToolInfo>& catalog)
{
    for (const ToolInfo& info : catalog) {
        QString fault = textFault(info);
        if (fault.isEmpty())
            fault = nameFault(info);
        if (fault.isEmpty() &&
            (info.DetailImagesNum < 0 || info.DetailImagesNum > CatalogLimits::kMaxDetailPictures))
            fault = QStringLiteral("DetailImagesNum %1 is not within 0 to %2")
                        .arg(info.DetailImagesNum)
                        .arg(CatalogLimits::kMaxDetailPictures);
        if (!fault.isEmpty())
            return QStringLiteral("tool %1: %2").arg(info.ToolKey).arg(fault);
    }
    return {};
}

} // namespace gearmart
