#include <windows.h>

#include <new>

#include "recording/FileSystem.h"

namespace fs {

namespace {

class Win32Files final : public Files {
  public:
    Handle Open(const char* path, uint32_t access, Disposition disposition) override {
        static const DWORD kDisposition[] = {OPEN_EXISTING, CREATE_ALWAYS, OPEN_ALWAYS};
        HANDLE h = CreateFileA(path, access, FILE_SHARE_READ, nullptr,
                               kDisposition[int(disposition)], FILE_ATTRIBUTE_NORMAL, nullptr);
        return h == INVALID_HANDLE_VALUE ? kInvalidHandle : Handle(h);
    }

    void Close(Handle h) override { CloseHandle(HANDLE(h)); }

    bool Read(Handle h, void* buffer, uint32_t count, uint32_t* done) override {
        DWORD n = 0;
        const BOOL ok = ReadFile(HANDLE(h), buffer, count, &n, nullptr);
        *done = n;
        return ok != FALSE;
    }

    bool Write(Handle h, const void* buffer, uint32_t count, uint32_t* done) override {
        DWORD n = 0;
        const BOOL ok = WriteFile(HANDLE(h), buffer, count, &n, nullptr);
        *done = n;
        return ok != FALSE;
    }

    bool Flush(Handle h) override { return FlushFileBuffers(HANDLE(h)) != FALSE; }

    int64_t SetPointer(Handle h, int32_t offset, int method) override {
        // Without a high part the call fails for positions that need 33 bits.
        SetLastError(NO_ERROR);
        const DWORD at = SetFilePointer(HANDLE(h), offset, nullptr, DWORD(method));
        if (at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
            return -1;
        return int64_t(at);
    }

    bool SetEnd(Handle h) override { return SetEndOfFile(HANDLE(h)) != FALSE; }
};

}  // namespace

Files& SystemFiles() {
    static Win32Files files;
    return files;
}

bool Delete(const char* path) {
    return DeleteFileA(path) != FALSE;
}

static_assert(sizeof(CRITICAL_SECTION) <= 64, "the lock fits its storage");

RecursiveLock::RecursiveLock() {
    InitializeCriticalSection(new (storage_) CRITICAL_SECTION);
}
RecursiveLock::~RecursiveLock() {
    DeleteCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}
void RecursiveLock::Enter() {
    EnterCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}
void RecursiveLock::Leave() {
    LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_));
}

}  // namespace fs
