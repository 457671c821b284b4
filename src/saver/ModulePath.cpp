#include "saver/ModulePath.h"

#include <windows.h>

#include <cstring>

ModulePath::ModulePath() {
    GetModuleFileNameA(nullptr, path, sizeof path - 1);
}

ModulePath::ModulePath(const char* from) {
    if (from)
        std::strncpy(path, from, sizeof path - 1);
}

void ModulePath::Directory(char* buffer, bool withTrailingBackslash) const {
    const char* last = std::strrchr(path, '\\');
    const size_t length = last ? size_t(last - path) + (withTrailingBackslash ? 1 : 0) : 0;
    std::memcpy(buffer, path, length);
    buffer[length] = '\0';
}
