// The operating system's file calls as LockedFile uses them: one
// implementation on Win32, one on POSIX, with the same results.
#pragma once
#include <cstdint>

namespace fs {

using Handle = intptr_t;
constexpr Handle kInvalidHandle = -1;

enum class Disposition { OpenExisting, CreateAlways, OpenAlways };

Handle Open(const char* path, uint32_t access, Disposition disposition);
void Close(Handle h);
bool Read(Handle h, void* buffer, uint32_t count, uint32_t* done);
bool Write(Handle h, const void* buffer, uint32_t count, uint32_t* done);
bool Flush(Handle h);
// Moves the file pointer (method 0 begin, 1 current, 2 end); the new offset,
// or -1 on failure or when it is 4 GiB or more.
int64_t SetPointer(Handle h, int32_t offset, int method);
bool SetEnd(Handle h);
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
