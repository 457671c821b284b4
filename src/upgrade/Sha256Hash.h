#pragma once
#include "upgrade/Sha256Digest.h"
#include "upgrade/SystemCrypto.h"

#include <cstddef>
#include <vector>

// A SHA-256 hash of bytes added piece by piece, computed by the system's
// cryptography.
class Sha256Hash {
  public:
    explicit Sha256Hash(const SystemCrypto& crypto);
    ~Sha256Hash();
    Sha256Hash(const Sha256Hash&) = delete;
    Sha256Hash& operator=(const Sha256Hash&) = delete;

    // False, now and from then on, when the system could not take the bytes.
    bool Add(const void* data, size_t size);
    // The hash of everything added; false when the system has no SHA-256 or
    // any step failed. Nothing can be added afterwards.
    bool Finish(Sha256Digest& digest);

  private:
    void Close();

    const SystemCrypto::Functions* api;
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    std::vector<UCHAR> hashObject;
};
