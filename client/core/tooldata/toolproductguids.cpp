#include "tooldata/toolproductguids.h"

#include <QMap>

namespace gearmart {

namespace {

const QMap<int, QString>& table()
{
    static const QMap<int, QString> guids = {
        {1, QStringLiteral("{6F1C2A90-3B7D-4E52-9A18-0C4D7E21B301}")},
        {2, QStringLiteral("{A2E4C6B8-1D3F-4A5C-8E7B-9F0A1B2C3D02}")},
        {3, QStringLiteral("{3C5E7A9B-2F4D-4B6A-8C1E-5D7F9A0B1C03}")},
        {4, QStringLiteral("{D4F60B1C-5A3E-4C7D-9B2F-0E1A3C5D7E04}")},
        {5, QStringLiteral("{5E7081D2-6B4F-4D8E-A03C-1F2B4D6E8F05}")},
        {6, QStringLiteral("{E6081F2A-7C50-4E9F-B14D-203C5E7F9A06}")},
        {7, QStringLiteral("{7F192A3B-8D61-4FA0-C25E-314D6F80AB07}")},
        {9, QStringLiteral("{92B3C4D5-0F83-41C2-E470-536F81A2CD09}")},
        {10, QStringLiteral("{A3C4D5E6-1094-42D3-F581-6470920BDE10}")},
        {11, QStringLiteral("{B4D5E6F7-21A5-43E4-0692-75810A3CEF11}")},
        {12, QStringLiteral("{C5E6F708-32B6-44F5-17A3-86921B4DF012}")},
        {13, QStringLiteral("{D6F70819-43C7-4506-28B4-97A32C5E0113}")},
        {14, QStringLiteral("{E708192A-54D8-4617-39C5-A8B43D6F1214}")},
    };
    return guids;
}

} // namespace

QString ToolProductGuids::guid(int iToolkey)
{
    return table().value(iToolkey);
}

QList<int> ToolProductGuids::keys()
{
    return table().keys();
}

} // namespace gearmart
