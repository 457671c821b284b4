#include "upgrade/Sha256Hash.h"

Sha256Hash::Sha256Hash(const SystemCrypto& crypto) : api(crypto.Api()) {
    if (!api || !BCRYPT_SUCCESS(
                    api->openAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
        algorithm = nullptr;
        return;
    }
    // Windows Vista wants the caller to provide the hash object's memory.
    DWORD objectSize = 0;
    ULONG written = 0;
    if (BCRYPT_SUCCESS(api->getProperty(algorithm, BCRYPT_OBJECT_LENGTH,
                                        reinterpret_cast<PUCHAR>(&objectSize), sizeof objectSize,
                                        &written, 0))) {
        hashObject.resize(objectSize);
        if (!BCRYPT_SUCCESS(
                api->createHash(algorithm, &hash, hashObject.data(), objectSize, nullptr, 0, 0)))
            hash = nullptr;
    }
    if (!hash)
        Close();
}

Sha256Hash::~Sha256Hash() {
    Close();
}

bool Sha256Hash::Add(const void* data, size_t size) {
    const UCHAR* bytes = static_cast<const UCHAR*>(data);
    while (hash && size > 0) {
        const ULONG piece = size > 0x10000000 ? 0x10000000 : static_cast<ULONG>(size);
        if (!BCRYPT_SUCCESS(api->hashData(hash, const_cast<UCHAR*>(bytes), piece, 0)))
            Close();
        bytes += piece;
        size -= piece;
    }
    return hash != nullptr;
}

bool Sha256Hash::Finish(Sha256Digest& digest) {
    const bool finished = hash && BCRYPT_SUCCESS(api->finishHash(
                                      hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    Close();
    return finished;
}

void Sha256Hash::Close() {
    if (hash)
        api->destroyHash(hash);
    if (algorithm)
        api->closeAlgorithmProvider(algorithm, 0);
    hash = nullptr;
    algorithm = nullptr;
}
