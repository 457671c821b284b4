#include "recording/LockedFile.h"

#include <cstring>

// Holds the object's lock for the lifetime of one operation.
class LockedFile::Guard {
  public:
    explicit Guard(LockedFile& f) : lock_(f.lock_) { lock_.Enter(); }
    ~Guard() { lock_.Leave(); }

  private:
    fs::RecursiveLock& lock_;
};

namespace {
constexpr uint32_t kLargestOffset = 0x7FFFFFFF;
}

LockedFile::LockedFile(fs::Files& files) : files_(files) {}

// Owners close first; a file left open is closed here so that no handle leaks.
LockedFile::~LockedFile() {
    if (handle_ != fs::kInvalidHandle)
        files_.Close(handle_);
}

void LockedFile::ResetFields() {
    handle_ = fs::kInvalidHandle;
    std::memset(name_, 0, sizeof name_);
    access_ = 0;
    eof_ = 1;
    size_ = 0;
    position_ = 0;
}

void LockedFile::GetName(char* buffer) {
    Guard g(*this);
    if (buffer)
        std::memcpy(buffer, name_, std::strlen(name_) + 1);
}

uint32_t LockedFile::GetAccess() {
    Guard g(*this);
    return access_;
}

bool LockedFile::Open(const char* path, uint32_t access) {
    Guard g(*this);
    if (!path)
        return false;
    Close();
    const size_t length = std::strlen(path);
    if (length >= kNameSize)
        return false;  // the name field holds 259 bytes and a NUL
    std::memcpy(name_, path, length + 1);

    fs::Disposition disposition;
    if (access == kRead)
        disposition = fs::Disposition::OpenExisting;
    else if (access == kWrite)
        disposition = fs::Disposition::CreateAlways;
    else if (access == kReadWrite)
        disposition = fs::Disposition::OpenAlways;
    else {
        Close();
        return false;
    }

    handle_ = files_.Open(name_, access, disposition);
    if (handle_ == fs::kInvalidHandle) {
        Close();
        return false;
    }

    uint32_t size = 0;
    if (access & kRead) {
        const int64_t end = files_.SetPointer(handle_, 0, kEnd);
        if (end < 0 || end > kLargestOffset || files_.SetPointer(handle_, 0, kBegin) != 0) {
            Close();
            return false;
        }
        size = uint32_t(end);
    }
    access_ = access;
    size_ = size;
    eof_ = size == 0;
    position_ = 0;
    return true;
}

void LockedFile::Close() {
    Guard g(*this);
    if (handle_ != fs::kInvalidHandle)
        files_.Close(handle_);
    ResetFields();
}

uint32_t LockedFile::Read(void* buffer, uint32_t count) {
    Guard g(*this);
    if (handle_ == fs::kInvalidHandle || !buffer || count == 0)
        return 0;
    uint64_t target = uint64_t(position_) + count;
    if (target > size_)
        target = size_;
    if (position_ >= target)
        return 0;
    uint32_t got = 0;
    if (!files_.Read(handle_, buffer, uint32_t(target - position_), &got))
        return got;
    position_ += got;
    eof_ = !(got > 0 && position_ < size_);
    return got;
}

uint32_t LockedFile::Write(const void* buffer, uint32_t count) {
    Guard g(*this);
    if (handle_ == fs::kInvalidHandle || !buffer || count == 0)
        return 0;
    uint64_t target = uint64_t(position_) + count;
    if (target > kLargestOffset)
        target = kLargestOffset;
    if (position_ >= target)
        return 0;
    uint32_t put = 0;
    if (!files_.Write(handle_, buffer, uint32_t(target - position_), &put))
        return put;
    position_ += put;
    if (position_ > size_)
        size_ = position_;
    eof_ = position_ >= size_;
    return put;
}

bool LockedFile::Flush() {
    Guard g(*this);
    return handle_ != fs::kInvalidHandle && files_.Flush(handle_);
}

int32_t LockedFile::IsEof() {
    Guard g(*this);
    return eof_;
}

int32_t LockedFile::Seek(int32_t offset, int method) {
    Guard g(*this);
    if (handle_ == fs::kInvalidHandle)
        return -1;
    int64_t base;
    if (method == kBegin)
        base = 0;
    else if (method == kCurrent)
        base = position_;
    else if (method == kEnd)
        base = size_;
    else
        return -1;
    int64_t adjusted = offset;
    if (base + adjusted < 0)
        adjusted = -base;
    if (base + adjusted > kLargestOffset)
        adjusted = kLargestOffset - base;
    const int64_t reached = files_.SetPointer(handle_, int32_t(adjusted), method);
    if (reached < 0)
        return -1;
    position_ = uint32_t(base + adjusted);
    eof_ = position_ >= size_;
    return int32_t(position_);
}

int32_t LockedFile::Tell() {
    Guard g(*this);
    return handle_ == fs::kInvalidHandle ? -1 : int32_t(position_);
}

bool LockedFile::SetSize(int32_t newSize) {
    Guard g(*this);
    if (handle_ == fs::kInvalidHandle || newSize < 0)
        return false;
    if (uint32_t(newSize) == size_)
        return true;
    const int32_t remembered = Tell();
    if (files_.SetPointer(handle_, newSize, kBegin) < 0)
        return false;
    if (!files_.SetEnd(handle_)) {
        Seek(remembered, kBegin);
        return false;
    }
    size_ = uint32_t(newSize);
    Seek(newSize, kBegin);
    return true;
}

int32_t LockedFile::GetSize() {
    Guard g(*this);
    return handle_ == fs::kInvalidHandle ? -1 : int32_t(size_);
}

bool ReadAt(LockedFile& file, uint64_t offset, void* buffer, uint32_t count) {
    const int32_t size = file.GetSize();
    return size >= 0 && offset + count <= uint64_t(size) &&
           file.Seek(int32_t(offset), LockedFile::kBegin) == int32_t(offset) &&
           file.Read(buffer, count) == count;
}
