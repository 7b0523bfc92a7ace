#pragma once

#include <memory>
#include <string>
#include <vector>

typedef struct evp_pkey_st EVP_PKEY;

namespace haulmoor {

// The publisher's Ed25519 public keys the installation carries in
// "trusted-keys/" beside its programs, one PEM file ("*.pem") per key, so
// that a key can be rolled over. Any such file turns checking on: one that
// holds no Ed25519 public key only leaves fewer keys to match, never
// checking off.
class TrustedKeys
{
public:
    static constexpr const char* kFolderName = "trusted-keys";

    // Reads every "*.pem" of the folder; a missing folder, or one without
    // any, gives nothing to check against. A folder that stands there but
    // cannot be read requires signatures that nothing can then verify.
    static TrustedKeys load(const std::string& folder);

    // Whether what comes from the cloud must carry a valid signature.
    bool required() const { return m_required; }
    // True when signatureText, the base64 text of a raw 64-byte Ed25519
    // signature (blanks and line breaks allowed), signs exactly data with
    // one of the keys.
    bool verify(const std::string& data, const std::string& signatureText) const;
    // The "*.pem" files that held no Ed25519 public key (or the folder
    // itself, when it could not be read).
    const std::vector<std::string>& unusable() const { return m_unusable; }

private:
    struct KeyFree
    {
        void operator()(EVP_PKEY* key) const;
    };

    std::vector<std::unique_ptr<EVP_PKEY, KeyFree>> m_keys;
    std::vector<std::string> m_unusable;
    bool m_required = false;
};

} // namespace haulmoor
