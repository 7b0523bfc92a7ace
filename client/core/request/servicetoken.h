#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

namespace gearmart {

// The secret that lets only this client drive the service it started. A new
// one is made for every start and reaches the service through its
// environment, which only the same user can read (a command line anyone can).
class ServiceToken
{
public:
    static constexpr int kRandomBytes = 32;

    // kRandomBytes from the system's secure source, as lower-case hex.
    static QByteArray generate();
    // base with the token added (replacing any inherited one).
    static QProcessEnvironment
    environmentWith(const QByteArray& token,
                    QProcessEnvironment base = QProcessEnvironment::systemEnvironment());
};

} // namespace gearmart
