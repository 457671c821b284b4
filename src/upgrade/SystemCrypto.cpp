#include "upgrade/SystemCrypto.h"

#include <string>
#include <vector>

namespace {
template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

std::string SystemFolder() {
    char folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? folder : "";
}
}  // namespace

SystemCrypto::SystemCrypto(const char* library) {
    const std::string folder = SystemFolder();
    if (folder.empty())
        return;
    module = LoadLibraryA((folder + "\\" + library).c_str());
    if (!module)
        return;
    const bool complete =
        Resolve(module, "BCryptOpenAlgorithmProvider", api.openAlgorithmProvider) &&
        Resolve(module, "BCryptCloseAlgorithmProvider", api.closeAlgorithmProvider) &&
        Resolve(module, "BCryptGetProperty", api.getProperty) &&
        Resolve(module, "BCryptCreateHash", api.createHash) &&
        Resolve(module, "BCryptHashData", api.hashData) &&
        Resolve(module, "BCryptFinishHash", api.finishHash) &&
        Resolve(module, "BCryptDestroyHash", api.destroyHash) &&
        Resolve(module, "BCryptImportKeyPair", api.importKeyPair) &&
        Resolve(module, "BCryptDestroyKey", api.destroyKey) &&
        Resolve(module, "BCryptVerifySignature", api.verifySignature);
    if (!complete) {
        FreeLibrary(module);
        module = nullptr;
    }
}

SystemCrypto::~SystemCrypto() {
    if (module)
        FreeLibrary(module);
}

bool SystemCrypto::VerifyP256(const P256Bytes& publicKey, const Sha256Digest& digest,
                              const P256Bytes& signature) const {
    if (!module)
        return false;
    BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::vector<UCHAR> blob(reinterpret_cast<const UCHAR*>(&header),
                            reinterpret_cast<const UCHAR*>(&header + 1));
    blob.insert(blob.end(), publicKey.begin(), publicKey.end());
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(
            api.openAlgorithmProvider(&algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)))
        return false;
    BCRYPT_KEY_HANDLE key = nullptr;
    bool valid = false;
    if (BCRYPT_SUCCESS(api.importKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key,
                                         blob.data(), static_cast<ULONG>(blob.size()), 0))) {
        Sha256Digest hash = digest;
        P256Bytes value = signature;
        valid = api.verifySignature(key, nullptr, hash.data(), static_cast<ULONG>(hash.size()),
                                    value.data(), static_cast<ULONG>(value.size()), 0) == 0;
        api.destroyKey(key);
    }
    api.closeAlgorithmProvider(algorithm, 0);
    return valid;
}
