#pragma once

#include <QString>

namespace gearmart {

// Puts a copy of the shipped settings (qstrDefaultsPath) where Setup.xml is
// missing or cannot be read. A file that was there is kept beside it as
// "Setup.xml.damaged" (".damaged.2" and on when that is taken), never
// overwritten; pqstrKeptAs names it. False with the cause when the shipped
// file is unusable or a step fails; the damaged file then stays in place.
bool restoreSetupFile(const QString& qstrPath, const QString& qstrDefaultsPath, QString* pqstrKeptAs,
                      QString* pqstrCause);

} // namespace gearmart
