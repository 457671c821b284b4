#include "recorder/RecorderSettings.h"

#include <cstdio>
#include <utility>

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

const std::pair<const char*, int RecorderSettings::*> kNumbers[] = {
    {"Area", &RecorderSettings::area},
    {"Monitor", &RecorderSettings::monitor},
    {"Frames per second", &RecorderSettings::framesPerSecond},
    {"Record the pointer", &RecorderSettings::recordPointer},
    {"Record mouse clicks", &RecorderSettings::recordClicks},
};
const std::pair<const char*, std::string RecorderSettings::*> kTexts[] = {
    {"File", &RecorderSettings::file},
    {"Title", &RecorderSettings::title},
    {"Author", &RecorderSettings::author},
    {"Description", &RecorderSettings::description},
};
const char kRectangleValue[] = "Rectangle";  // "LEFT,TOP,RIGHT,BOTTOM"
}  // namespace

void RecorderSettings::Load() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (const auto& [name, field] : kNumbers)
        ReadNumber(key, name, this->*field);
    for (const auto& [name, field] : kTexts)
        ReadText(key, name, this->*field);
    std::string corners;
    ReadText(key, kRectangleValue, corners);
    RECT r;
    if (std::sscanf(corners.c_str(), "%ld,%ld,%ld,%ld", &r.left, &r.top, &r.right, &r.bottom) == 4)
        rectangle = r;
    RegCloseKey(key);
}

bool RecorderSettings::Save() const {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    for (const auto& [name, field] : kNumbers)
        WriteNumber(key, name, this->*field);
    for (const auto& [name, field] : kTexts)
        WriteText(key, name, this->*field);
    char corners[64];
    std::snprintf(corners, sizeof corners, "%ld,%ld,%ld,%ld", rectangle.left, rectangle.top,
                  rectangle.right, rectangle.bottom);
    WriteText(key, kRectangleValue, corners);
    RegCloseKey(key);
    return true;
}
