#include "sha256.h"

#include <cctype>
#include <openssl/evp.h>

namespace haulmoor {

Sha256::Sha256() : m_context(EVP_MD_CTX_new())
{
    reset();
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(m_context);
}

void Sha256::reset()
{
    m_ok = m_context && EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr) == 1;
}

void Sha256::add(const char* data, std::size_t length)
{
    if (m_ok && length > 0)
        m_ok = EVP_DigestUpdate(m_context, data, length) == 1;
}

std::string Sha256::hexDigest()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    // A failed hash gives text no checksum can equal.
    if (!m_ok || EVP_DigestFinal_ex(m_context, digest, &size) != 1)
        return "failed";
    m_ok = false;
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(size * 2);
    for (unsigned int i = 0; i < size; ++i) {
        hex += digits[digest[i] >> 4];
        hex += digits[digest[i] & 0x0f];
    }
    return hex;
}

std::string Sha256::normalise(const std::string& text)
{
    if (text.size() != 64)
        return {};
    std::string lower;
    lower.reserve(64);
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return {};
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

} // namespace haulmoor
