#pragma once

#include <string>
#include <string_view>

namespace haulmoor {

// The secret the client hands its service at start, so that no other local
// process can make the service download or unpack anything. Without one (the
// service started by hand) every request is admitted.
class AccessToken
{
public:
    // Header values longer than this are refused before any comparison.
    static constexpr std::size_t kMaxHeaderLength = 256;

    AccessToken() = default;
    explicit AccessToken(std::string secret);

    // Takes the secret out of the environment (the protocol's variable):
    // programs the service starts must not inherit it.
    static AccessToken fromEnvironment();

    bool required() const { return m_required; }
    // Whether a request carrying this header value may be served. The time
    // taken does not depend on how much of the value matches.
    bool admits(std::string_view offered) const;

private:
    std::string m_secret;
    bool m_required = false;
};

} // namespace haulmoor
