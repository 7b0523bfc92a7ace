#include "tooldata/toollistfiles.h"

#include "panelcraft/genericds.h"
#include "tooldata/catalogcheck.h"
#include "tooldata/cataloglimits.h"

#include <QHash>

namespace gearmart {

namespace {

// The first child of each name with its text, from one pass over the
// children: looking each field up by name would walk them again every time.
class Fields
{
public:
    explicit Fields(const crestui::GenericDS& element)
    {
        for (const crestui::GenericDS& child : element.GetChildren()) {
            const QString name = child.GetName();
            if (!m_values.contains(name))
                m_values.insert(name, child.GetValue());
        }
    }

    QString text(const char* name) const { return m_values.value(QLatin1String(name)); }
    int number(const char* name) const { return text(name).trimmed().toInt(); }
    bool key(int* pKey) const
    {
        bool ok = false;
        *pKey = text("ToolKey").trimmed().toInt(&ok);
        return ok;
    }

private:
    QHash<QString, QString> m_values;
};

ToolInfo toolInfoFrom(const Fields& fields, int iToolkey)
{
    ToolInfo info;
    info.ToolKey = iToolkey;
    info.ToolType = fields.number("ToolType");
    info.ToolCHName = fields.text("ToolCHName");
    info.ToolENName = fields.text("ToolENName");
    info.Version = fields.text("Version");
    info.IconMinName = fields.text("IconMinName");
    info.IconMidName = fields.text("IconMidName");
    info.IconMaxName = fields.text("IconMaxName");
    info.BriefCHIntro = fields.text("BriefCHIntro");
    info.BriefENIntro = fields.text("BriefENIntro");
    info.UpdateCHIntro = fields.text("UpdateCHIntro");
    info.UpdateENIntro = fields.text("UpdateENIntro");
    info.ExeName = fields.text("ExeName");
    info.updateDate = fields.text("updateDate");
    info.ToolSize = fields.text("ToolSize").trimmed().toFloat();
    info.IsDown = fields.number("IsDown");
    info.DetailImagesNum = fields.number("DetailImagesNum");
    info.DownloadCHUrl = fields.text("DownloadCHUrl");
    info.DownloadENUrl = fields.text("DownloadENUrl");
    return info;
}

bool fail(QString* pError, const QString& text)
{
    if (pError)
        *pError = text;
    return false;
}

bool addNumber(crestui::GenericDS& parent, const QString& name, int value)
{
    return parent.CreateChild(name).SetValue(QString::number(value));
}

} // namespace

bool readToolCatalog(const QString& path, QMap<int, ToolInfo>* pCatalog, QString* pError)
{
    crestui::GenericDS root;
    if (!root.loadXML(path, CatalogLimits::catalogXml(), pError))
        return false;
    const QVector<crestui::GenericDS> tools = root.GetChildren();
    if (tools.size() > CatalogLimits::kMaxTools)
        return fail(pError,
                    QStringLiteral("%1 tools, more than %2").arg(tools.size()).arg(CatalogLimits::kMaxTools));
    QMap<int, ToolInfo> catalog;
    for (const crestui::GenericDS& element : tools) {
        if (element.GetChildrenCount() > CatalogLimits::kMaxFieldsPerTool)
            return fail(
                pError,
                QStringLiteral("a tool with more than %1 fields").arg(CatalogLimits::kMaxFieldsPerTool));
        const Fields fields(element);
        int toolKey = 0;
        // Taken as 0, a broken entry would replace the material's record.
        if (fields.key(&toolKey))
            catalog.insert(toolKey, toolInfoFrom(fields, toolKey));
    }
    const QString fault = catalogFault(catalog);
    if (!fault.isEmpty())
        return fail(pError, fault);
    *pCatalog = catalog;
    return true;
}

bool readToolStates(const QString& path, QMap<int, ToolState>* pStates, QString* pError)
{
    crestui::GenericDS root;
    if (!root.loadXML(path, CatalogLimits::stateListXml(), pError))
        return false;
    QMap<int, ToolState> states;
    for (const crestui::GenericDS& element : root.GetChildren()) {
        const Fields fields(element);
        ToolState state;
        if (!fields.key(&state.ToolKey))
            continue;
        state.CurrentVersion = fields.text("CurrentVersion");
        state.IsNewTools = fields.number("IsNewTools");
        state.IsNeedUpdate = fields.number("IsNeedUpdate");
        state.ListOrder = fields.number("ListOrder");
        states.insert(state.ToolKey, state);
    }
    *pStates = states;
    return true;
}

bool writeToolStates(const QString& path, const QMap<int, ToolState>& states)
{
    crestui::GenericDS root;
    if (!root.CreateASRoot(QStringLiteral("Tools")))
        return false;
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        const ToolState& state = it.value();
        crestui::GenericDS element = root.CreateChild(QStringLiteral("State"));
        // The map key is what every lookup uses; the record's copy may lag.
        const bool built =
            addNumber(element, QStringLiteral("ToolKey"), it.key()) &&
            element.CreateChild(QStringLiteral("CurrentVersion")).SetValue(state.CurrentVersion) &&
            addNumber(element, QStringLiteral("IsDownload"), state.IsDownload) &&
            addNumber(element, QStringLiteral("IsNewTools"), state.IsNewTools) &&
            addNumber(element, QStringLiteral("IsNeedUpdate"), state.IsNeedUpdate) &&
            addNumber(element, QStringLiteral("ListOrder"), state.ListOrder);
        if (!built)
            return false;
    }
    return root.SaveXML(path);
}

} // namespace gearmart
