#include "recorder/RecorderSettings.h"

#include <cstdio>

namespace {
const char kKey[] = "Software\\Quorvane\\Screen Recorder";

void ReadNumber(HKEY key, const char* name, int& value) {
    DWORD number = 0, size = sizeof number, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD)
        value = int(number);
}

void ReadText(HKEY key, const char* name, std::string& value) {
    char text[1024] = {};
    DWORD size = sizeof text - 1, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
        value = text;
}

void WriteNumber(HKEY key, const char* name, int value) {
    const DWORD number = DWORD(value);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void WriteText(HKEY key, const char* name, const std::string& value) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD(value.size() + 1));
}
}  // namespace

void RecorderSettings::Load() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    ReadNumber(key, "Area", area);
    ReadNumber(key, "Monitor", monitor);
    std::string corners;
    ReadText(key, "Rectangle", corners);
    RECT r;
    if (std::sscanf(corners.c_str(), "%ld,%ld,%ld,%ld", &r.left, &r.top, &r.right, &r.bottom) == 4)
        rectangle = r;
    ReadNumber(key, "Frames per second", framesPerSecond);
    ReadNumber(key, "Record the pointer", recordPointer);
    ReadNumber(key, "Record mouse clicks", recordClicks);
    ReadText(key, "File", file);
    ReadText(key, "Title", title);
    ReadText(key, "Author", author);
    ReadText(key, "Description", description);
    RegCloseKey(key);
}

bool RecorderSettings::Save() const {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    WriteNumber(key, "Area", area);
    WriteNumber(key, "Monitor", monitor);
    char corners[64];
    std::snprintf(corners, sizeof corners, "%ld,%ld,%ld,%ld", rectangle.left, rectangle.top,
                  rectangle.right, rectangle.bottom);
    WriteText(key, "Rectangle", corners);
    WriteNumber(key, "Frames per second", framesPerSecond);
    WriteNumber(key, "Record the pointer", recordPointer);
    WriteNumber(key, "Record mouse clicks", recordClicks);
    WriteText(key, "File", file);
    WriteText(key, "Title", title);
    WriteText(key, "Author", author);
    WriteText(key, "Description", description);
    RegCloseKey(key);
    return true;
}
