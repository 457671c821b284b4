#include "upgrade/CreateDirectoryPath.h"

#include <windows.h>

#include <string>

namespace {
bool CreateFolder(const std::string& folder) {
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
}  // namespace

bool CreateDirectoryPath(const char* path, bool lastPartIsFolder) {
    if (!path)
        return false;
    bool created = true;
    const char* lastPart = path;
    // CharNextA keeps a trail byte of a double-byte character from passing for a backslash.
    for (const char* at = path; *at; at = CharNextA(at)) {
        if (*at == '\\') {
            created = CreateFolder(std::string(path, at + 1));
            lastPart = at + 1;
        }
    }
    if (lastPartIsFolder && *lastPart)
        created = CreateFolder(path);
    return created;
}
