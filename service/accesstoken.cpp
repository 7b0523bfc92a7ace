#include "accesstoken.h"

#include "localprotocol/localprotocol.h"
#include "platform/environment.h"

namespace haulmoor {

AccessToken::AccessToken(std::string secret) : m_secret(std::move(secret)), m_required(true) {}

AccessToken AccessToken::fromEnvironment()
{
    std::string secret;
    if (!platform::takeEnvironmentVariable(localprotocol::kTokenEnvironment, secret))
        return AccessToken();
    return AccessToken(std::move(secret));
}

bool AccessToken::admits(std::string_view offered) const
{
    if (!m_required)
        return true;
    // A variable that is set but empty is a broken start, not an open door.
    if (m_secret.empty())
        return false;
    volatile unsigned char difference = offered.size() == m_secret.size() ? 0 : 1;
    for (std::size_t i = 0; i < m_secret.size(); ++i) {
        const unsigned char given = i < offered.size() ? static_cast<unsigned char>(offered[i]) : 0;
        difference = difference | (given ^ static_cast<unsigned char>(m_secret[i]));
    }
    return difference == 0;
}

} // namespace haulmoor
