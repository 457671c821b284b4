#pragma once
#include "upgrade/P256Line.h"
#include "upgrade/SystemCrypto.h"
#include "upgrade/UpgradeManifest.h"

#include <string_view>

// Reads an upgrade manifest only when the signature text (one base64 line,
// see P256Line.h) holds an ECDSA P-256 signature of the SHA-256 of exactly
// the manifest's bytes under the public key, and the manifest names its
// installer's hash (ReadUpgradeManifest). Otherwise false, manifest unchanged.
bool ReadSignedManifest(const SystemCrypto& crypto, const P256Bytes& publicKey,
                        std::string_view manifestText, std::string_view signatureText,
                        UpgradeManifest& manifest);
