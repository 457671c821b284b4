#include "upgrade/XFile.h"

#include "upgrade/ErrorText.h"

#include <windows.h>

#include <new>

bool XFile::Load(const char* path) {
    Clear();
    HANDLE file = path ? CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr)
                       : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        FormatReadError("XFile::Load(\"%s\")", path ? path : "");
        return false;
    }
    const DWORD fileSize = GetFileSize(file, nullptr);
    data.reset(fileSize == INVALID_FILE_SIZE ? nullptr : new (std::nothrow) char[fileSize]);
    if (!data) {
        CloseHandle(file);
        FormatAllocError("in XFile::Load(\"%s\")", path);
        return false;
    }
    DWORD bytesRead = 0;
    if (!ReadFile(file, data.get(), fileSize, &bytesRead, nullptr)) {
        Clear();
        CloseHandle(file);
        FormatReadError("XFile::Load(\"%s\")", path);
        return false;
    }
    CloseHandle(file);
    size = bytesRead;
    return true;
}

void XFile::Clear() {
    data.reset();
    size = 0;
}
