// The file calls LockedFile makes, behind one interface: the operating
// system's (one implementation on Win32, one on POSIX, with the same results)
// or files kept in memory (MemoryFiles).
#pragma once
#include <cstdint>

namespace fs {

using Handle = intptr_t;
constexpr Handle kInvalidHandle = -1;

enum class Disposition { OpenExisting, CreateAlways, OpenAlways };

class Files {
  public:
    virtual Handle Open(const char* path, uint32_t access, Disposition disposition) = 0;
    virtual void Close(Handle h) = 0;
    virtual bool Read(Handle h, void* buffer, uint32_t count, uint32_t* done) = 0;
    virtual bool Write(Handle h, const void* buffer, uint32_t count, uint32_t* done) = 0;
    virtual bool Flush(Handle h) = 0;
    // Moves the file pointer (method 0 begin, 1 current, 2 end); the new
    // offset, or -1 on failure or when it is 4 GiB or more.
    virtual int64_t SetPointer(Handle h, int32_t offset, int method) = 0;
    // Ends the file at the file pointer.
    virtual bool SetEnd(Handle h) = 0;

  protected:
    ~Files() = default;
};

// The operating system's files.
Files& SystemFiles();

bool Delete(const char* path);

// A re-entrant lock (a critical section on Windows).
class RecursiveLock {
  public:
    RecursiveLock();
    ~RecursiveLock();
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;
    void Enter();
    void Leave();

  private:
    alignas(8) unsigned char storage_[64];
};

}  // namespace fs
