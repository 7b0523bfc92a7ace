#pragma once

#include <cstddef>
#include <string>

typedef struct evp_md_ctx_st EVP_MD_CTX;

namespace haulmoor {

// SHA-256 over bytes fed in pieces, so a package is hashed as it arrives
// rather than in a pass of its own afterwards.
class Sha256
{
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void reset();
    void add(const char* data, std::size_t length);
    // Lower-case hex of everything added since the last reset.
    std::string hexDigest();

    // Lower-case form of a 64-digit hex text; empty when it is not one.
    static std::string normalise(const std::string& text);

private:
    EVP_MD_CTX* m_context = nullptr;
    bool m_ok = false;
};

} // namespace haulmoor
