#pragma once

#include <string>

namespace haulmoor {

// Sends one reply body on the request handle it belongs to.
class ReplySender
{
public:
    ReplySender(int handle, std::string body) : m_handle(handle), m_body(std::move(body)) {}
    bool send();

private:
    int m_handle;
    std::string m_body;
};

} // namespace haulmoor
