// signpackage: the publisher's side of package signatures. Makes a key pair
// and signs the metadata files and version indexes of a cloud; see the
// README's "Signing key" section.
#include "ed25519key.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const kUsage = "usage: signpackage keygen PRIVATE_KEY PUBLIC_KEY\n"
                           "       signpackage sign PRIVATE_KEY FILE...    (writes FILE.sig)\n"
                           "       signpackage verify PUBLIC_KEY FILE...   (checks FILE.sig)\n";

bool readFile(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    if (!file || !(content << file.rdbuf()))
        return false;
    text = content.str();
    return true;
}

// The signature replaces an older one: a file signed again after a change
// must not keep the signature of its earlier bytes.
bool writeSignature(const std::string& path, const std::string& text)
{
    const std::string part = path + ".part";
    std::ofstream file(part, std::ios::binary | std::ios::trunc);
    if (!(file << text) || !file.flush())
        return false;
    file.close();
    return std::rename(part.c_str(), path.c_str()) == 0;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "signpackage: %s\n", message.c_str());
    return 1;
}

int keygen(const std::string& privatePath, const std::string& publicPath)
{
    std::string error;
    const Ed25519Key key = Ed25519Key::generate(error);
    if (!key.valid() || !key.savePrivate(privatePath, error))
        return fail(error);
    if (!key.savePublic(publicPath, error)) {
        std::remove(privatePath.c_str()); // a half pair is of no use
        return fail(error);
    }
    return 0;
}

int sign(const std::string& keyPath, int count, char** files)
{
    std::string error;
    const Ed25519Key key = Ed25519Key::loadPrivate(keyPath, error);
    if (!key.valid())
        return fail(error);
    for (int i = 0; i < count; ++i) {
        std::string data;
        if (!readFile(files[i], data))
            return fail(std::string("cannot read ") + files[i]);
        const std::string signature = key.sign(data, error);
        if (signature.empty())
            return fail(error);
        if (!writeSignature(std::string(files[i]) + ".sig", signature))
            return fail(std::string("cannot write ") + files[i] + ".sig");
    }
    return 0;
}

int verify(const std::string& keyPath, int count, char** files)
{
    std::string error;
    const Ed25519Key key = Ed25519Key::loadPublic(keyPath, error);
    if (!key.valid())
        return fail(error);
    int status = 0;
    for (int i = 0; i < count; ++i) {
        std::string data;
        std::string signature;
        const bool good = readFile(files[i], data) && readFile(std::string(files[i]) + ".sig", signature) &&
                          key.verify(data, signature);
        std::printf("%s: %s\n", files[i], good ? "verified" : "NOT verified");
        if (!good)
            status = 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "keygen" && argc == 4)
        return keygen(argv[2], argv[3]);
    if (command == "sign" && argc >= 4)
        return sign(argv[2], argc - 3, argv + 3);
    if (command == "verify" && argc >= 4)
        return verify(argv[2], argc - 3, argv + 3);
    std::fputs(kUsage, stderr);
    return 2;
}
