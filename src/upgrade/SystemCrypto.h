#pragma once
#include <windows.h>
#include <bcrypt.h>

#include "upgrade/P256Line.h"
#include "upgrade/Sha256Digest.h"

// The system's own cryptography (bcrypt.dll of Windows Vista and later),
// loaded from the system folder at run time. Where it is missing nothing
// verifies; the program itself carries no cryptography.
class SystemCrypto {
  public:
    // The functions this program uses.
    struct Functions {
        decltype(&BCryptOpenAlgorithmProvider) openAlgorithmProvider;
        decltype(&BCryptCloseAlgorithmProvider) closeAlgorithmProvider;
        decltype(&BCryptGetProperty) getProperty;
        decltype(&BCryptCreateHash) createHash;
        decltype(&BCryptHashData) hashData;
        decltype(&BCryptFinishHash) finishHash;
        decltype(&BCryptDestroyHash) destroyHash;
        decltype(&BCryptImportKeyPair) importKeyPair;
        decltype(&BCryptDestroyKey) destroyKey;
        decltype(&BCryptVerifySignature) verifySignature;
    };

    // library: the module's file name inside the system folder.
    explicit SystemCrypto(const char* library = "bcrypt.dll");
    ~SystemCrypto();
    SystemCrypto(const SystemCrypto&) = delete;
    SystemCrypto& operator=(const SystemCrypto&) = delete;

    // Whether the module and every function were found.
    bool IsAvailable() const { return module != nullptr; }
    // Null when not available.
    const Functions* Api() const { return module ? &api : nullptr; }
    // Whether signature is a valid ECDSA P-256 signature of the SHA-256
    // digest under the public key; false when not available.
    bool VerifyP256(const P256Bytes& publicKey, const Sha256Digest& digest,
                    const P256Bytes& signature) const;

  private:
    HMODULE module = nullptr;
    Functions api{};
};
