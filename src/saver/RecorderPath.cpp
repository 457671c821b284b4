#include "saver/RecorderPath.h"

#include "saver/ModulePath.h"

#include <windows.h>

namespace {
const char recorderKey[] = "Software\\Quorvane\\Screen Recorder";
const char recorderFileName[] = "grabora.exe";

bool ReadRegisteredFolder(std::string& folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, recorderKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[260] = {};
    DWORD size = sizeof buffer - 1;
    const bool read = RegQueryValueExA(key, nullptr, nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read)
        folder = buffer;
    return read;
}
}  // namespace

std::string RecorderProgramPath(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\')
        return folder + recorderFileName;
    return folder + "\\" + recorderFileName;
}

std::string RecorderFolder() {
    std::string folder;
    if (ReadRegisteredFolder(folder))
        return folder;
    char ownFolder[260] = {};
    ModulePath().Directory(ownFolder, true);
    return ownFolder;
}
