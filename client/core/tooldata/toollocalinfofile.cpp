#include "tooldata/toollocalinfofile.h"

#include "panelcraft/genericds.h"
#include "platform/files.h"
#include "tooldata/cataloglimits.h"

#include <QFile>

namespace gearmart {

namespace {

const QString kToolElement = QStringLiteral("Tool");
const QString kEntryElement = QStringLiteral("PreviousEntry");

bool fail(QString* pError, const QString& text)
{
    if (pError)
        *pError = text;
    return false;
}

QString shortText(const QString& text)
{
    return text.size() <= CatalogLimits::kMaxShortText ? text.trimmed() : QString();
}

} // namespace

bool isPlainEntryName(const QString& qstrName)
{
    return !qstrName.isEmpty() && qstrName != QLatin1String(".") && qstrName != QLatin1String("..") &&
           !qstrName.contains(QLatin1Char('/')) && !qstrName.contains(QChar(0)) &&
           QFile::encodeName(qstrName).size() <= 255;
}

bool readToolLocalInfo(const QString& path, QMap<int, ToolLocalInfo>* pInfos, QString* pError)
{
    pInfos->clear();
    std::string bytes;
    const crestui::XmlLimits limits = CatalogLimits::stateListXml();
    switch (
        platform::readSmallFile(QFile::encodeName(path).toStdString(), std::size_t(limits.maxBytes), bytes)) {
    case platform::ReadResult::Missing:
        return true;
    case platform::ReadResult::TooLarge:
        return fail(pError, QStringLiteral("more than %1 bytes").arg(limits.maxBytes));
    case platform::ReadResult::Failed:
        return fail(pError, QStringLiteral("not a readable regular file"));
    case platform::ReadResult::Read:
        break;
    }
    crestui::GenericDS root;
    if (!root.loadXMLData(QByteArray::fromStdString(bytes), limits, pError))
        return false;
    const QVector<crestui::GenericDS> tools = root.GetChildren();
    if (tools.size() > CatalogLimits::kMaxTools)
        return fail(pError,
                    QStringLiteral("%1 tools, more than %2").arg(tools.size()).arg(CatalogLimits::kMaxTools));
    QMap<int, ToolLocalInfo> infos;
    for (const crestui::GenericDS& tool : tools) {
        if (tool.GetName() != kToolElement)
            continue;
        const QVector<crestui::GenericDS> fields = tool.GetChildren();
        if (fields.size() > CatalogLimits::kMaxFieldsPerTool)
            return fail(
                pError,
                QStringLiteral("a tool with more than %1 fields").arg(CatalogLimits::kMaxFieldsPerTool));
        bool hasKey = false;
        bool entriesSound = true;
        int key = 0;
        ToolLocalInfo info;
        for (const crestui::GenericDS& field : fields) {
            const QString name = field.GetName();
            const QString value = shortText(field.GetValue());
            if (name == QLatin1String("ToolKey"))
                key = value.toInt(&hasKey);
            else if (name == QLatin1String("InstalledAt"))
                info.installedAt = QDateTime::fromString(value, Qt::ISODate);
            else if (name == QLatin1String("PreviousVersion"))
                info.previousVersion = value;
            else if (name == QLatin1String("SkippedVersion"))
                info.skippedVersion = value;
            else if (name == kEntryElement && isPlainEntryName(value))
                info.previousEntries.append(value);
            else if (name == kEntryElement)
                entriesSound = false;
        }
        // Half a list of entries would roll back half a tool.
        if (!entriesSound)
            info.previousEntries.clear();
        if (hasKey)
            infos.insert(key, info);
    }
    *pInfos = infos;
    return true;
}

bool writeToolLocalInfo(const QString& path, const QMap<int, ToolLocalInfo>& infos)
{
    crestui::GenericDS root;
    if (!root.CreateASRoot(QStringLiteral("Tools")))
        return false;
    auto add = [](crestui::GenericDS& parent, const QString& name, const QString& value) {
        return value.isEmpty() || parent.CreateChild(name).SetValue(value);
    };
    for (auto it = infos.cbegin(); it != infos.cend(); ++it) {
        const ToolLocalInfo& info = it.value();
        if (info.isEmpty())
            continue;
        crestui::GenericDS tool = root.CreateChild(kToolElement);
        bool built =
            add(tool, QStringLiteral("ToolKey"), QString::number(it.key())) &&
            add(tool, QStringLiteral("InstalledAt"),
                info.installedAt.isValid() ? info.installedAt.toUTC().toString(Qt::ISODate) : QString()) &&
            add(tool, QStringLiteral("PreviousVersion"), info.previousVersion) &&
            add(tool, QStringLiteral("SkippedVersion"), info.skippedVersion);
        for (const QString& entry : info.previousEntries)
            built = built && add(tool, kEntryElement, entry);
        if (!built)
            return false;
    }
    const QByteArray data = root.toXmlData();
    return platform::replaceFile(QFile::encodeName(path).toStdString(), data.toStdString());
}

} // namespace gearmart
