#pragma once

#include <string>

typedef struct evp_pkey_st EVP_PKEY;

// A publisher's Ed25519 key, private or public only, as signpackage makes,
// keeps and uses it. Errors come back as text for the command line.
class Ed25519Key
{
public:
    Ed25519Key() = default;
    ~Ed25519Key();
    Ed25519Key(Ed25519Key&& other) noexcept;
    Ed25519Key& operator=(Ed25519Key&& other) noexcept;
    Ed25519Key(const Ed25519Key&) = delete;
    Ed25519Key& operator=(const Ed25519Key&) = delete;

    static Ed25519Key generate(std::string& error);
    // PKCS#8 PEM, as "openssl genpkey -algorithm ed25519" writes it.
    static Ed25519Key loadPrivate(const std::string& path, std::string& error);
    // SubjectPublicKeyInfo PEM, as "openssl pkey -pubout" writes it.
    static Ed25519Key loadPublic(const std::string& path, std::string& error);

    bool valid() const { return m_key != nullptr; }
    // New files only, never one that is there: a key is not overwritten by
    // mistake. The private one is readable by its owner alone.
    bool savePrivate(const std::string& path, std::string& error) const;
    bool savePublic(const std::string& path, std::string& error) const;

    // The base64 text of the raw 64-byte signature over data, with a line end.
    std::string sign(const std::string& data, std::string& error) const;
    // Whether signatureText (base64 of 64 bytes, blanks and line ends
    // around it allowed) signs exactly data with this key.
    bool verify(const std::string& data, const std::string& signatureText) const;

private:
    explicit Ed25519Key(EVP_PKEY* key) : m_key(key) {}

    EVP_PKEY* m_key = nullptr;
};
