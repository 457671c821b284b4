// The file object through which every recording is read and written: one
// handle, its path, access mode, size and position, every operation under the
// object's own re-entrant lock. It knows nothing about the recording format.
// Its file calls go to the operating system unless it is given other files.
#pragma once
#include <cstdint>

#include "recording/FileSystem.h"

class LockedFile {
  public:
    static constexpr uint32_t kRead = 0x80000000;   // GENERIC_READ
    static constexpr uint32_t kWrite = 0x40000000;  // GENERIC_WRITE
    static constexpr uint32_t kReadWrite = kRead | kWrite;
    enum SeekMethod { kBegin = 0, kCurrent = 1, kEnd = 2 };
    static constexpr uint32_t kNameSize = 260;

    explicit LockedFile(fs::Files& files = fs::SystemFiles());
    virtual ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    virtual void GetName(char* buffer);
    virtual uint32_t GetAccess();
    virtual bool Open(const char* path, uint32_t access);
    virtual void Close();
    virtual uint32_t Write(const void* buffer, uint32_t count);
    virtual uint32_t Read(void* buffer, uint32_t count);
    virtual bool Flush();
    virtual int32_t IsEof();
    virtual int32_t Seek(int32_t offset, int method);
    virtual int32_t Tell();
    virtual bool SetSize(int32_t newSize);
    virtual int32_t GetSize();

    fs::Files& GetFiles() const { return files_; }

  private:
    class Guard;
    void ResetFields();

    fs::Files& files_;
    fs::RecursiveLock lock_;
    fs::Handle handle_ = fs::kInvalidHandle;
    char name_[kNameSize] = {};
    uint32_t access_ = 0;
    int32_t eof_ = 1;
    uint32_t size_ = 0;
    uint32_t position_ = 0;
};

// Reads exactly count bytes at offset; false when they are not all in the
// file or cannot be read. The position is left after what was read.
bool ReadAt(LockedFile& file, uint64_t offset, void* buffer, uint32_t count);
