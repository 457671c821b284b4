// Files kept in memory on a disk of limited size, for the tests of what a
// full disk does to a recording being written, and whose reads fail once
// readsFail is set (a network share gone away).
#pragma once
#include <algorithm>
#include <cstdint>

#include "recording/MemoryFiles.h"

// Files on a disk of `capacity` bytes: a write past it puts what fits and fails.
class FillingFiles final : public fs::Files {
  public:
    MemoryFiles memory;
    uint64_t capacity = UINT64_MAX;
    bool readsFail = false;
    fs::Handle Open(const char* path, uint32_t access, fs::Disposition d) override {
        return memory.Open(path, access, d);
    }
    void Close(fs::Handle h) override { memory.Close(h); }
    bool Read(fs::Handle h, void* buffer, uint32_t count, uint32_t* done) override {
        return !readsFail && memory.Read(h, buffer, count, done);
    }
    bool Write(fs::Handle h, const void* buffer, uint32_t count, uint32_t* done) override {
        const uint64_t at = uint64_t(memory.SetPointer(h, 0, 1));
        const uint32_t fits =
            uint32_t(std::min<uint64_t>(count, capacity - std::min(capacity, at)));
        return memory.Write(h, buffer, fits, done) && fits == count;
    }
    bool Flush(fs::Handle h) override {
        ++flushes;
        return memory.Flush(h);
    }
    int64_t SetPointer(fs::Handle h, int32_t offset, int method) override {
        return memory.SetPointer(h, offset, method);
    }
    bool SetEnd(fs::Handle h) override { return memory.SetEnd(h); }
    int flushes = 0;
};
