#include "tooldata/toollistfiles.h"

#include "panelcraft/genericds.h"

namespace gearmart {

namespace {

QString text(const crestui::GenericDS& element, const char* name)
{
    return element.GetChildByName(QLatin1String(name)).GetValue();
}

int number(const crestui::GenericDS& element, const char* name)
{
    return text(element, name).trimmed().toInt();
}

bool key(const crestui::GenericDS& element, int* pKey)
{
    bool ok = false;
    *pKey = text(element, "ToolKey").trimmed().toInt(&ok);
    return ok;
}

ToolInfo toolInfoFrom(const crestui::GenericDS& element, int iToolkey)
{
    ToolInfo info;
    info.ToolKey = iToolkey;
    info.ToolType = number(element, "ToolType");
    info.ToolCHName = text(element, "ToolCHName");
    info.ToolENName = text(element, "ToolENName");
    info.Version = text(element, "Version");
    info.IconMinName = text(element, "IconMinName");
    info.IconMidName = text(element, "IconMidName");
    info.IconMaxName = text(element, "IconMaxName");
    info.BriefCHIntro = text(element, "BriefCHIntro");
    info.BriefENIntro = text(element, "BriefENIntro");
    info.UpdateCHIntro = text(element, "UpdateCHIntro");
    info.UpdateENIntro = text(element, "UpdateENIntro");
    info.ExeName = text(element, "ExeName");
    info.updateDate = text(element, "updateDate");
    info.ToolSize = text(element, "ToolSize").trimmed().toFloat();
    info.IsDown = number(element, "IsDown");
    info.DetailImagesNum = number(element, "DetailImagesNum");
    info.DownloadCHUrl = text(element, "DownloadCHUrl");
    info.DownloadENUrl = text(element, "DownloadENUrl");
    return info;
}

bool addNumber(crestui::GenericDS& parent, const QString& name, int value)
{
    return parent.CreateChild(name).SetValue(QString::number(value));
}

} // namespace

bool readToolCatalog(const QString& path, QMap<int, ToolInfo>* pCatalog)
{
    crestui::GenericDS root;
    if (!root.loadXML(path))
        return false;
    QMap<int, ToolInfo> catalog;
    const int count = root.GetChildrenCount();
    for (int i = 0; i < count; ++i) {
        const crestui::GenericDS element = root.GetChild(i);
        int toolKey = 0;
        // Taken as 0, a broken entry would replace the material's record.
        if (key(element, &toolKey))
            catalog.insert(toolKey, toolInfoFrom(element, toolKey));
    }
    *pCatalog = catalog;
    return true;
}

bool readToolStates(const QString& path, QMap<int, ToolState>* pStates)
{
    crestui::GenericDS root;
    if (!root.loadXML(path))
        return false;
    QMap<int, ToolState> states;
    const int count = root.GetChildrenCount();
    for (int i = 0; i < count; ++i) {
        const crestui::GenericDS element = root.GetChild(i);
        ToolState state;
        if (!key(element, &state.ToolKey))
            continue;
        state.CurrentVersion = text(element, "CurrentVersion");
        state.IsNewTools = number(element, "IsNewTools");
        state.IsNeedUpdate = number(element, "IsNeedUpdate");
        state.ListOrder = number(element, "ListOrder");
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
