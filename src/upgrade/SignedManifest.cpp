#include "upgrade/SignedManifest.h"

#include "upgrade/Sha256Hash.h"

bool ReadSignedManifest(const SystemCrypto& crypto, const P256Bytes& publicKey,
                        std::string_view manifestText, std::string_view signatureText,
                        UpgradeManifest& manifest) {
    P256Bytes signature;
    if (!ParseP256Line(signatureText.data(), signatureText.size(), signature))
        return false;
    Sha256Hash hash(crypto);
    Sha256Digest digest;
    if (!hash.Add(manifestText.data(), manifestText.size()) || !hash.Finish(digest) ||
        !crypto.VerifyP256(publicKey, digest, signature))
        return false;
    return ReadUpgradeManifest(manifestText.data(), manifestText.size(), manifest);
}
