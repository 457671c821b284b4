// Files kept in memory that answer LockedFile's calls as the operating
// system's files do: for fuzzers and tests that want no disk. Paths are plain
// names; no folders.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "recording/FileSystem.h"

class MemoryFiles final : public fs::Files {
  public:
    using Bytes = std::vector<uint8_t>;

    // Creates or replaces the file at path.
    void Put(const std::string& path, const uint8_t* data, size_t size);
    // The file at path, or null when there is none.
    const Bytes* Find(const std::string& path) const;

    fs::Handle Open(const char* path, uint32_t access, fs::Disposition disposition) override;
    void Close(fs::Handle h) override;
    bool Read(fs::Handle h, void* buffer, uint32_t count, uint32_t* done) override;
    bool Write(fs::Handle h, const void* buffer, uint32_t count, uint32_t* done) override;
    bool Flush(fs::Handle h) override;
    int64_t SetPointer(fs::Handle h, int32_t offset, int method) override;
    bool SetEnd(fs::Handle h) override;

  private:
    struct OpenFile {
        Bytes* bytes = nullptr;  // none: the handle is free
        uint64_t position = 0;
        bool reads = false;
        bool writes = false;
    };

    std::map<std::string, Bytes> files_;
    std::vector<OpenFile> open_;  // indexed by the handles Open gave
};
