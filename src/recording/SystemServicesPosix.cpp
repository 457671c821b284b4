#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "recording/SystemServices.h"

extern char** environ;

namespace sys {

namespace {

bool Spawn(const char* program, const char* argument) {
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
    pid_t pid;
    return posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) == 0;
}
}  // namespace

uint32_t NowMilliseconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return uint32_t(uint64_t(t.tv_sec) * 1000 + uint64_t(t.tv_nsec) / 1000000);
}

Point LiveCursorPosition() {
    return Point{0, 0};
}

bool StartProgram(const char* program, const char* commandLine) {
    return Spawn(program, commandLine);
}

bool ShellOpenDocument(const char* path) {
    return Spawn("xdg-open", path);
}

std::string ProgramPath() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
    return n <= 0 || size_t(n) >= sizeof path ? std::string() : std::string(path, size_t(n));
}

}  // namespace sys
