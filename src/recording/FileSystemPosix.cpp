#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "recording/FileSystem.h"

namespace fs {

namespace {

class PosixFiles final : public Files {
  public:
    Handle Open(const char* path, uint32_t access, Disposition disposition) override {
        int flags = 0;
        const bool reads = access & 0x80000000u, writes = access & 0x40000000u;
        if (reads && writes)
            flags = O_RDWR;
        else if (writes)
            flags = O_WRONLY;
        else
            flags = O_RDONLY;
        if (disposition == Disposition::CreateAlways)
            flags |= O_CREAT | O_TRUNC;
        if (disposition == Disposition::OpenAlways)
            flags |= O_CREAT;
        const int fd = ::open(path, flags | O_CLOEXEC, 0644);
        if (fd < 0)
            return kInvalidHandle;
        struct stat st;
        if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {  // as on Windows, a folder is no file
            ::close(fd);
            return kInvalidHandle;
        }
        return fd;
    }

    void Close(Handle h) override { ::close(int(h)); }

    bool Read(Handle h, void* buffer, uint32_t count, uint32_t* done) override {
        const ssize_t n = ::read(int(h), buffer, count);
        *done = n > 0 ? uint32_t(n) : 0;
        return n >= 0;
    }

    bool Write(Handle h, const void* buffer, uint32_t count, uint32_t* done) override {
        const ssize_t n = ::write(int(h), buffer, count);
        *done = n > 0 ? uint32_t(n) : 0;
        return n >= 0;
    }

    bool Flush(Handle h) override { return ::fsync(int(h)) == 0; }

    int64_t SetPointer(Handle h, int32_t offset, int method) override {
        static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
        if (method < 0 || method > 2)
            return -1;
        const off_t at = ::lseek(int(h), offset, whence[method]);
        return at < 0 || at > off_t(0xFFFFFFFF) ? -1 : int64_t(at);
    }

    bool SetEnd(Handle h) override {
        const off_t at = ::lseek(int(h), 0, SEEK_CUR);
        return at >= 0 && ::ftruncate(int(h), at) == 0;
    }
};

}  // namespace

Files& SystemFiles() {
    static PosixFiles files;
    return files;
}

bool Delete(const char* path) {
    return ::unlink(path) == 0;
}

static_assert(sizeof(pthread_mutex_t) <= 64, "the lock fits its storage");

RecursiveLock::RecursiveLock() {
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(new (storage_) pthread_mutex_t, &attr);
    pthread_mutexattr_destroy(&attr);
}
RecursiveLock::~RecursiveLock() {
    pthread_mutex_destroy(reinterpret_cast<pthread_mutex_t*>(storage_));
}
void RecursiveLock::Enter() {
    pthread_mutex_lock(reinterpret_cast<pthread_mutex_t*>(storage_));
}
void RecursiveLock::Leave() {
    pthread_mutex_unlock(reinterpret_cast<pthread_mutex_t*>(storage_));
}

}  // namespace fs
