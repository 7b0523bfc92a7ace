#pragma once

#include <QString>

namespace gearmart {

// The user manual and the open-source licences shipped beside the program,
// handed to the desktop's viewer.
class UserDocuments
{
public:
    enum class Result
    {
        Opened,
        OpenFailed,
        NotFound,
    };

    // A manual counts only when it is a file whose suffix is exactly
    // qstrSuffix (the settings page wants "PDF", the help pop-up "pdf").
    static Result openManual(const QString& qstrFilePath, const QString& qstrSuffix);
    // The licences folder; a missing folder counts as a failure.
    static Result openLicenses(const QString& qstrApplicationDir);

    static QString licensesFolder(const QString& qstrApplicationDir);
};

} // namespace gearmart
