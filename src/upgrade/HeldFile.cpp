#include "upgrade/HeldFile.h"

#include "upgrade/Sha256Hash.h"

#include <vector>

HeldFile::HeldFile(const std::string& path)
    : handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}

HeldFile::~HeldFile() {
    if (IsOpen())
        CloseHandle(handle);
}

bool HeldFile::Sha256(const SystemCrypto& crypto, Sha256Digest& digest) const {
    if (!IsOpen() || SetFilePointer(handle, 0, nullptr, FILE_BEGIN) != 0)
        return false;
    Sha256Hash hash(crypto);
    std::vector<char> buffer(65536);
    DWORD bytesRead = 0;
    do {
        if (!ReadFile(handle, buffer.data(), static_cast<DWORD>(buffer.size()), &bytesRead,
                      nullptr) ||
            !hash.Add(buffer.data(), bytesRead))
            return false;
    } while (bytesRead > 0);
    return hash.Finish(digest);
}
