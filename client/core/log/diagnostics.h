#pragma once

#include <QByteArray>
#include <QString>

namespace gearmart {

// The text "Copy diagnostics" puts on the clipboard for a support request:
// versions, paths, Setup.xml without secrets and the last lines of both logs.
class Diagnostics
{
public:
    static constexpr int kLogLines = 200;

    static QString collect(const QString& qstrInstallDir, const QString& qstrLogFolder);

    // Setup.xml as a user may send it: passwords and tokens in addresses
    // (user information, query strings) and values of elements named like
    // secrets are replaced by "(removed)".
    static QString withoutSecrets(const QByteArray& setupXml);
};

} // namespace gearmart
