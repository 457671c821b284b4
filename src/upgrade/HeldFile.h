#pragma once
#include <windows.h>

#include "upgrade/Sha256Digest.h"
#include "upgrade/SystemCrypto.h"

#include <string>

// A file opened for reading that nobody may write to, rename or delete while
// the object holds it: what was read through it is what a program started
// from the file meanwhile runs.
class HeldFile {
  public:
    // Not open when the file is missing or someone else has it open for writing.
    explicit HeldFile(const std::string& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    // The SHA-256 of the whole content; false when it cannot be read or hashed.
    bool Sha256(const SystemCrypto& crypto, Sha256Digest& digest) const;

  private:
    HANDLE handle;
};
