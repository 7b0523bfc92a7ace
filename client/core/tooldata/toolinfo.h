#pragma once

#include <QString>

namespace gearmart {

// One tool of the catalog (ToolsInfoList.xml).
struct ToolInfo
{
    int ToolKey = 0;
    int ToolType = 0;
    QString ToolCHName;
    QString ToolENName;
    QString Version;
    QString IconMinName;
    QString IconMidName;
    QString IconMaxName;
    QString BriefCHIntro;
    QString BriefENIntro;
    QString UpdateENIntro;
    QString UpdateCHIntro;
    QString ExeName;
    QString updateDate;
    float ToolSize = 0;
    int IsDown = 0;
    int DetailImagesNum = 0;
    QString DownloadCHUrl;
    QString DownloadENUrl;
};

} // namespace gearmart
