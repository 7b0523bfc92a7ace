#include "signaturecheck.h"

#include "trustedkeys.h"
#include "wirelink/wirelink.h"

namespace haulmoor {

SignatureCheck::Outcome SignatureCheck::run(int client, const std::string& fileUrl, const std::string& text,
                                            const TrustedKeys& keys)
{
    const std::string limit = std::to_string(kMaxSignatureBytes);
    NET_HTTPCLIENT_SetParam(client, WL_CLIENT_MAX_RESPONSE, nullptr, 0, limit.data(),
                            static_cast<long long>(limit.size()));
    const std::string url = fileUrl + ".sig";
    ExchangeRecord record;
    record.url = url.c_str();
    record.urlLength = url.size();
    const bool ok = NET_HTTPCLIENT_ShortLinkExchange(client, &record) != 0;
    if (ok) {
        // Any other 2xx answer is not a signature either.
        const std::string signature(record.body ? record.body : "", record.body ? record.bodyLength : 0);
        return record.status == 200 && keys.verify(text, signature) ? Outcome::Verified : Outcome::Mismatch;
    }
    if (NET_UTILS_GetLastError() == WL_ERR_BODY_TOO_LARGE)
        return Outcome::Mismatch; // no signature is that long
    // No answer, or a server in trouble: the network failed, not the file.
    if (record.status == 0 || record.status == 408 || record.status == 429 || record.status >= 500)
        return Outcome::Unreachable;
    return Outcome::Missing;
}

std::string SignatureCheck::describe(Outcome outcome, const std::string& url)
{
    switch (outcome) {
    case Outcome::Missing:
        return "Signature missing: " + url;
    case Outcome::Mismatch:
        return "Signature mismatch: " + url;
    default:
        return {};
    }
}

} // namespace haulmoor
