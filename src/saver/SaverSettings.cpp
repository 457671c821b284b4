// The settings store: the values of one user under
// HKEY_CURRENT_USER\Software\Quorvane\Screen Saver, each overridden by the
// same value of the administrators' policy (policy/SettingsPolicy.h), which
// is never written to the user's key and cannot be changed in the dialog.
#include "saver/SaverConfigDlg.h"

#include "policy/PolicyRegistry.h"
#include "resources/ResourceIds.h"

#include <windows.h>

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";
const char pathValue[] = "Path";
const char lastFirstValue[] = "Last first recording";

struct FlagValue {
    const char* name;
    int SaverConfigDlg::*field;
    int control;  // its check box in the configuration dialog
};

const FlagValue flagValues[] = {
    {"Auto repeat", &SaverConfigDlg::autoRepeat, IDC_AUTO_REPEAT},
    {"Quick play", &SaverConfigDlg::quickPlay, IDC_QUICK_PLAY},
    {"Draw mouse clicks", &SaverConfigDlg::drawMouseClicks, IDC_DRAW_MOUSE_CLICKS},
    {"Scale to fit screen", &SaverConfigDlg::scaleToFit, IDC_SCALE_TO_FIT},
    {"Play on every monitor", &SaverConfigDlg::playOnEveryMonitor, IDC_EVERY_MONITOR},
    {"Shuffle", &SaverConfigDlg::shuffle, IDC_SHUFFLE},
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
    policy = ReadSettingsPolicy();
    BOOL loaded = TRUE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        loaded = SaveSettings();
    } else {
        recordingPath = ReadPath(key, pathValue);
        lastFirstRecording = ReadPath(key, lastFirstValue);
        for (const FlagValue& flag : flagValues)
            ReadFlag(key, flag.name, this->*flag.field);
        RegCloseKey(key);
    }
    recordingPath = policy.Text(pathValue).value_or(recordingPath);
    for (const FlagValue& flag : flagValues)
        if (const std::optional<uint32_t> fixed = policy.Number(flag.name))
            this->*flag.field = static_cast<int>(*fixed);
    return loaded;
}

BOOL SaverConfigDlg::SaveSettings() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    if (!policy.Text(pathValue))
        WritePath(key, pathValue, recordingPath);
    for (const FlagValue& flag : flagValues) {
        if (policy.Number(flag.name))
            continue;
        DWORD number = static_cast<DWORD>(this->*flag.field);
        RegSetValueExA(key, flag.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
    }
    RegCloseKey(key);
    return TRUE;
}

void SaverConfigDlg::DisableFixedSettings() {
    const HWND dialog = GetSafeHwnd();
    if (policy.Text(pathValue))
        for (int control : {IDC_RECORDING_PATH, IDC_BROWSE, IDC_BROWSE_FOLDER})
            EnableWindow(GetDlgItem(dialog, control), FALSE);
    for (const FlagValue& flag : flagValues)
        if (policy.Number(flag.name))
            EnableWindow(GetDlgItem(dialog, flag.control), FALSE);
}

void SaverConfigDlg::SaveFirstRecording(const std::string& name) {
    lastFirstRecording = name;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    WritePath(key, lastFirstValue, name);
    RegCloseKey(key);
}
