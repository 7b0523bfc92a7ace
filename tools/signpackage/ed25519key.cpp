#include "ed25519key.h"

#include "platform/files.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <sstream>
#include <utility>

namespace {

constexpr std::size_t kSignatureBytes = 64;

std::string openSslError(const std::string& what)
{
    const unsigned long code = ERR_get_error();
    if (code == 0)
        return what;
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return what + ": " + text;
}

bool readFile(const std::string& path, std::string& text, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    if (!file || !(content << file.rdbuf())) {
        error = "cannot read " + path;
        return false;
    }
    text = content.str();
    return true;
}

// Created new ("x"), so an existing file or a link is never written through.
bool writeNewFile(const std::string& path, const std::string& text, bool ownerOnly, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) {
        error = "cannot create " + path + " (is it there already?)";
        return false;
    }
    bool ok = !ownerOnly || platform::setPermissions(path, 0600);
    ok = ok && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        std::remove(path.c_str());
        error = "cannot write " + path;
    }
    return ok;
}

template <typename Write> std::string pemText(Write write)
{
    BIO* bio = BIO_new(BIO_s_mem());
    std::string text;
    if (bio && write(bio) == 1) {
        char* data = nullptr;
        const long length = BIO_get_mem_data(bio, &data);
        text.assign(data, static_cast<std::size_t>(length));
    }
    BIO_free(bio);
    return text;
}

bool isEd25519(EVP_PKEY* key)
{
    return key && EVP_PKEY_id(key) == EVP_PKEY_ED25519;
}

} // namespace

Ed25519Key::~Ed25519Key()
{
    EVP_PKEY_free(m_key);
}

Ed25519Key::Ed25519Key(Ed25519Key&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}

Ed25519Key& Ed25519Key::operator=(Ed25519Key&& other) noexcept
{
    std::swap(m_key, other.m_key);
    return *this;
}

Ed25519Key Ed25519Key::generate(std::string& error)
{
    EVP_PKEY* key = EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519");
    if (!key)
        error = openSslError("cannot make a key");
    return Ed25519Key(key);
}

Ed25519Key Ed25519Key::loadPrivate(const std::string& path, std::string& error)
{
    std::string text;
    if (!readFile(path, text, error))
        return {};
    BIO* bio = BIO_new_mem_buf(text.data(), static_cast<int>(text.size()));
    EVP_PKEY* key = bio ? PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr) : nullptr;
    BIO_free(bio);
    if (!isEd25519(key)) {
        EVP_PKEY_free(key);
        error = path + " holds no Ed25519 private key";
        return {};
    }
    return Ed25519Key(key);
}

Ed25519Key Ed25519Key::loadPublic(const std::string& path, std::string& error)
{
    std::string text;
    if (!readFile(path, text, error))
        return {};
    BIO* bio = BIO_new_mem_buf(text.data(), static_cast<int>(text.size()));
    EVP_PKEY* key = bio ? PEM_read_bio_PUBKEY(bio, nullptr, nullptr, nullptr) : nullptr;
    BIO_free(bio);
    if (!isEd25519(key)) {
        EVP_PKEY_free(key);
        error = path + " holds no Ed25519 public key";
        return {};
    }
    return Ed25519Key(key);
}

bool Ed25519Key::savePrivate(const std::string& path, std::string& error) const
{
    const std::string text = pemText([this](BIO* bio) {
        return PEM_write_bio_PrivateKey(bio, m_key, nullptr, nullptr, 0, nullptr, nullptr);
    });
    if (text.empty()) {
        error = openSslError("not a private key");
        return false;
    }
    return writeNewFile(path, text, true, error);
}

bool Ed25519Key::savePublic(const std::string& path, std::string& error) const
{
    const std::string text = pemText([this](BIO* bio) { return PEM_write_bio_PUBKEY(bio, m_key); });
    if (text.empty()) {
        error = openSslError("no key");
        return false;
    }
    return writeNewFile(path, text, false, error);
}

std::string Ed25519Key::sign(const std::string& data, std::string& error) const
{
    unsigned char signature[kSignatureBytes];
    std::size_t length = sizeof signature;
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    const bool ok = context && EVP_DigestSignInit(context, nullptr, nullptr, nullptr, m_key) == 1 &&
                    EVP_DigestSign(context, signature, &length,
                                   reinterpret_cast<const unsigned char*>(data.data()), data.size()) == 1 &&
                    length == kSignatureBytes;
    EVP_MD_CTX_free(context);
    if (!ok) {
        error = openSslError("cannot sign");
        return {};
    }
    unsigned char text[88 + 1];
    const int written = EVP_EncodeBlock(text, signature, static_cast<int>(kSignatureBytes));
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(written)) + "\n";
}

bool Ed25519Key::verify(const std::string& data, const std::string& signatureText) const
{
    std::string compact;
    for (const char c : signatureText) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            compact += c;
    }
    // 64 bytes are 88 characters; the decoder counts the padding as 2 more.
    unsigned char raw[66];
    if (compact.size() != 88 ||
        EVP_DecodeBlock(raw, reinterpret_cast<const unsigned char*>(compact.data()), 88) != 66)
        return false;
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    const bool ok = context && EVP_DigestVerifyInit(context, nullptr, nullptr, nullptr, m_key) == 1 &&
                    EVP_DigestVerify(context, raw, kSignatureBytes,
                                     reinterpret_cast<const unsigned char*>(data.data()), data.size()) == 1;
    EVP_MD_CTX_free(context);
    return ok;
}
