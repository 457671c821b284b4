// The settings store: the values of one user under
// HKEY_CURRENT_USER\Software\Quorvane\Screen Saver.
#include "saver/SaverConfigDlg.h"

#include <windows.h>

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";
const char pathValue[] = "Path";
const char lastFirstValue[] = "Last first recording";

struct FlagValue {
    const char* name;
    int SaverConfigDlg::*field;
};

const FlagValue flagValues[] = {
    {"Auto repeat", &SaverConfigDlg::autoRepeat},
    {"Quick play", &SaverConfigDlg::quickPlay},
    {"Draw mouse clicks", &SaverConfigDlg::drawMouseClicks},
    {"Scale to fit screen", &SaverConfigDlg::scaleToFit},
    {"Play on every monitor", &SaverConfigDlg::playOnEveryMonitor},
    {"Shuffle", &SaverConfigDlg::shuffle},
};

// A path, whatever its stored type: at most 259 bytes, empty on any failure.
std::string ReadPath(HKEY key, const char* name) {
    char buffer[260] = {};
    DWORD size = sizeof buffer - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return {};
    return buffer;
}

void WritePath(HKEY key, const char* name, const std::string& path) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
}

// A number, whatever its stored type, when exactly four bytes are stored.
bool ReadFlag(HKEY key, const char* name, int& value) {
    DWORD number = 0, size = sizeof number;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) !=
            ERROR_SUCCESS ||
        size != sizeof number)
        return false;
    value = static_cast<int>(number);
    return true;
}
}  // namespace

BOOL SaverConfigDlg::LoadSettings() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return SaveSettings();
    recordingPath = ReadPath(key, pathValue);
    lastFirstRecording = ReadPath(key, lastFirstValue);
    for (const FlagValue& flag : flagValues)
        ReadFlag(key, flag.name, this->*flag.field);
    RegCloseKey(key);
    return TRUE;
}

BOOL SaverConfigDlg::SaveSettings() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    WritePath(key, pathValue, recordingPath);
    for (const FlagValue& flag : flagValues) {
        DWORD number = static_cast<DWORD>(this->*flag.field);
        RegSetValueExA(key, flag.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
    }
    RegCloseKey(key);
    return TRUE;
}

void SaverConfigDlg::SaveFirstRecording(const std::string& name) {
    lastFirstRecording = name;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    WritePath(key, lastFirstValue, name);
    RegCloseKey(key);
}
