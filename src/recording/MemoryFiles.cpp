#include "recording/MemoryFiles.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint32_t kReadAccess = 0x80000000;
constexpr uint32_t kWriteAccess = 0x40000000;
constexpr uint64_t kLargestPointer = 0xFFFFFFFF;
}  // namespace

void MemoryFiles::Put(const std::string& path, const uint8_t* data, size_t size) {
    files_[path].assign(data, data + size);
}

const MemoryFiles::Bytes* MemoryFiles::Find(const std::string& path) const {
    const auto found = files_.find(path);
    return found == files_.end() ? nullptr : &found->second;
}

fs::Handle MemoryFiles::Open(const char* path, uint32_t access, fs::Disposition disposition) {
    auto found = files_.find(path);
    if (found == files_.end()) {
        if (disposition == fs::Disposition::OpenExisting)
            return fs::kInvalidHandle;
        found = files_.emplace(path, Bytes()).first;
    } else if (disposition == fs::Disposition::CreateAlways) {
        found->second.clear();
    }
    OpenFile opened;
    opened.bytes = &found->second;
    opened.reads = access & kReadAccess;
    opened.writes = access & kWriteAccess;
    for (size_t h = 0; h < open_.size(); ++h) {
        if (!open_[h].bytes) {
            open_[h] = opened;
            return fs::Handle(h);
        }
    }
    open_.push_back(opened);
    return fs::Handle(open_.size() - 1);
}

void MemoryFiles::Close(fs::Handle h) {
    open_[size_t(h)] = OpenFile();
}

bool MemoryFiles::Read(fs::Handle h, void* buffer, uint32_t count, uint32_t* done) {
    *done = 0;
    OpenFile& f = open_[size_t(h)];
    if (!f.reads)
        return false;
    const uint64_t size = f.bytes->size();
    if (f.position < size) {
        *done = uint32_t(std::min<uint64_t>(count, size - f.position));
        std::memcpy(buffer, f.bytes->data() + f.position, *done);
        f.position += *done;
    }
    return true;
}

bool MemoryFiles::Write(fs::Handle h, const void* buffer, uint32_t count, uint32_t* done) {
    *done = 0;
    OpenFile& f = open_[size_t(h)];
    if (!f.writes)
        return false;
    const uint64_t end = f.position + count;
    if (end > f.bytes->size())
        f.bytes->resize(size_t(end));  // a gap before the position reads as zeros
    std::memcpy(f.bytes->data() + f.position, buffer, count);
    f.position = end;
    *done = count;
    return true;
}

bool MemoryFiles::Flush(fs::Handle) {
    return true;
}

int64_t MemoryFiles::SetPointer(fs::Handle h, int32_t offset, int method) {
    OpenFile& f = open_[size_t(h)];
    if (method < 0 || method > 2)
        return -1;
    const int64_t base = method == 0   ? 0
                         : method == 1 ? int64_t(f.position)
                                       : int64_t(f.bytes->size());
    const int64_t at = base + offset;
    if (at < 0 || uint64_t(at) > kLargestPointer)
        return -1;
    f.position = uint64_t(at);
    return at;
}

bool MemoryFiles::SetEnd(fs::Handle h) {
    OpenFile& f = open_[size_t(h)];
    if (!f.writes)
        return false;
    f.bytes->resize(size_t(f.position));
    return true;
}
