#include "connectionrefusal.h"

#include "wirelink/wirelink.h"

namespace haulmoor {

bool ConnectionRefusal::lastFailure(std::string& why)
{
    const int error = NET_UTILS_GetLastError();
    if (error != WL_ERR_TLS && error != WL_ERR_SCHEME)
        return false;
    char text[512];
    NET_UTILS_GetLastErrorText(text, sizeof text);
    why = text[0] ? text
                  : (error == WL_ERR_TLS ? "certificate not trusted" : "redirected from https to plain http");
    return true;
}

std::string ConnectionRefusal::describe(const std::string& url, const std::string& why)
{
    return "Secure connection refused: " + url + ": " + why;
}

} // namespace haulmoor
