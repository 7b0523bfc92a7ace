#pragma once

#include <string>

namespace haulmoor {

class TrustedKeys;

// Whether a file fetched from the cloud is the publisher's: its signature
// lies beside it (the file's URL + ".sig") and must match its exact bytes
// under one of the installation's keys.
class SignatureCheck
{
public:
    enum class Outcome
    {
        Verified,
        Missing,     // the cloud answered that there is no signature (404 and the like)
        Mismatch,    // a signature that no trusted key made for these bytes
        Unreachable, // no answer, a time-out or a server error: a network failure
    };

    static constexpr long long kMaxSignatureBytes = 4096;

    // Fetches the signature of fileUrl on the wirelink client handle (whose
    // maximum response length it changes) and checks it against text.
    static Outcome run(int client, const std::string& fileUrl, const std::string& text,
                       const TrustedKeys& keys);
    // "Signature missing: URL" or "Signature mismatch: URL"; empty otherwise.
    static std::string describe(Outcome outcome, const std::string& url);
};

} // namespace haulmoor
