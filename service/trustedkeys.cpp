#include "trustedkeys.h"

#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace haulmoor {

namespace {

constexpr std::size_t kSignatureBytes = 64;
// Far above any PEM public key; a huge file is no key.
constexpr std::streamsize kMaxKeyFileBytes = 64 * 1024;

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

EVP_PKEY* readPublicKey(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return nullptr;
    std::string text(static_cast<std::size_t>(kMaxKeyFileBytes) + 1, '\0');
    file.read(&text[0], kMaxKeyFileBytes + 1);
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > static_cast<std::size_t>(kMaxKeyFileBytes))
        return nullptr;
    BIO* bio = BIO_new_mem_buf(text.data(), static_cast<int>(text.size()));
    if (!bio)
        return nullptr;
    EVP_PKEY* key = PEM_read_bio_PUBKEY(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    if (key && EVP_PKEY_id(key) != EVP_PKEY_ED25519) {
        EVP_PKEY_free(key);
        key = nullptr;
    }
    return key;
}

// The raw signature, or empty when the text is not base64 of 64 bytes.
std::string decodeSignature(const std::string& text)
{
    std::string compact;
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char c) { return !std::isspace(static_cast<unsigned char>(c)); });
    // 64 bytes are 88 characters, the last two of them padding; the
    // decoder itself would take a "=" anywhere.
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (compact.size() != 88 || !endsWith(compact, "==") || compact.find_first_not_of(alphabet) != 86)
        return {};
    unsigned char raw[66];
    if (EVP_DecodeBlock(raw, reinterpret_cast<const unsigned char*>(compact.data()), 88) != 66)
        return {};
    return std::string(reinterpret_cast<const char*>(raw), kSignatureBytes);
}

} // namespace

void TrustedKeys::KeyFree::operator()(EVP_PKEY* key) const
{
    EVP_PKEY_free(key);
}

TrustedKeys TrustedKeys::load(const std::string& folder)
{
    TrustedKeys keys;
    std::vector<std::string> names;
    if (!platform::listFolder(folder, names)) {
        // Only a folder that is not there means "no keys": one that cannot
        // be read must not turn checking off.
        if (platform::entryKind(folder) != platform::EntryKind::Missing) {
            keys.m_required = true;
            keys.m_unusable.push_back(folder);
        }
        return keys;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (!endsWith(name, ".pem"))
            continue;
        keys.m_required = true;
        const std::string path = folder + "/" + name;
        if (EVP_PKEY* key = readPublicKey(path))
            keys.m_keys.emplace_back(key);
        else
            keys.m_unusable.push_back(path);
    }
    return keys;
}

bool TrustedKeys::verify(const std::string& data, const std::string& signatureText) const
{
    const std::string signature = decodeSignature(signatureText);
    if (signature.empty())
        return false;
    for (const auto& key : m_keys) {
        EVP_MD_CTX* context = EVP_MD_CTX_new();
        const bool valid =
            context && EVP_DigestVerifyInit(context, nullptr, nullptr, nullptr, key.get()) == 1 &&
            EVP_DigestVerify(context, reinterpret_cast<const unsigned char*>(signature.data()),
                             signature.size(), reinterpret_cast<const unsigned char*>(data.data()),
                             data.size()) == 1;
        EVP_MD_CTX_free(context);
        if (valid)
            return true;
    }
    return false;
}

} // namespace haulmoor
