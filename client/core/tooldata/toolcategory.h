#pragma once

#include <QCoreApplication>
#include <QString>

namespace gearmart {

// The catalog's "ToolType" numbers as the categories the pages offer. The
// catalog names none of them, so the names live here; a number this client
// does not know falls under one "Utilities" category rather than becoming a
// category nobody can name.
class ToolCategory
{
    Q_DECLARE_TR_FUNCTIONS(gearmart::ToolCategory)

public:
    static constexpr int kOther = 0;
    static constexpr int kSystem = 1;
    static constexpr int kNetwork = 2;
    static constexpr int kOfficeAndMedia = 3;

    static int of(int iToolType);
    // In the interface language (the installed translation).
    static QString name(int iCategory);
};

} // namespace gearmart
