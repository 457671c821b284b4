#include "saver/FolderRecordings.h"

#include <windows.h>

#include <cstring>

namespace {

bool EndsWith(const char* name, const char* extension) {
    const size_t n = std::strlen(name), e = std::strlen(extension);
    return n > e && lstrcmpiA(name + n - e, extension) == 0;
}

bool MayHoldRecording(const char* name) {
    return EndsWith(name, ".vqd") || EndsWith(name, ".exe") || EndsWith(name, ".scr");
}

}  // namespace

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + name;
    return folder + "\\" + name;
}

std::vector<std::string> FolderRecordings(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(InFolder(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            MayHoldRecording(found.cFileName))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}
