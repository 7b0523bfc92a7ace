#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace signintest {

// A copy of the built Signgate folder, laid out as installed (program and
// translations/), in a temporary folder, with its own login setting and a
// private home for the browser's profile, so runs never share cookies.
class SigngateCopy
{
public:
    SigngateCopy() = default;

    // Copies the built Signgate folder (program and translations) here and points the login setting at
    // loginUrl. Empty on success, else what went wrong.
    QString create(const QString& qstrLoginUrl);

    QString programPath() const;
    QString folder() const;
    // The caller's environment with HOME and the XDG folders inside this copy.
    QProcessEnvironment environment() const;

private:
    QTemporaryDir m_dir;
};

} // namespace signintest
