#include "recorder/SaverHandoff.h"

#include <windows.h>

#include <optional>

namespace {
const char kSaverKey[] = "Software\\Quorvane\\Screen Saver";
const char kPathValue[] = "Path";
const char kSaverName[] = "QuorvaneSaver.scr";
const DWORD kSaverStartMs = 10000;

std::optional<std::string> ChosenRecording() {
    char text[MAX_PATH] = {};
    DWORD size = sizeof text - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, kSaverKey, kPathValue, RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

bool Choose(const std::optional<std::string>& path) {
    if (!path)
        return RegDeleteKeyValueA(HKEY_CURRENT_USER, kSaverKey, kPathValue) == ERROR_SUCCESS;
    return RegSetKeyValueA(HKEY_CURRENT_USER, kSaverKey, kPathValue, REG_SZ, path->c_str(),
                           DWORD(path->size() + 1)) == ERROR_SUCCESS;
}

bool Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The saver's full-screen window belongs to the process once it has read its settings.
struct Search {
    DWORD process;
    bool found;
};
BOOL CALLBACK FindSaverWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    search.found = owner == search.process && lstrcmpA(name, "WindowsScreenSaverClass") == 0;
    return !search.found;
}
}  // namespace

std::string FullPath(const std::string& file) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
    return length && length < MAX_PATH ? full : file;
}

bool UseAsScreenSaver(const std::string& file) {
    return Choose(FullPath(file));
}

std::string FindSaver() {
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string beside = own;
    beside = beside.substr(0, beside.find_last_of('\\') + 1) + kSaverName;
    if (Exists(beside))
        return beside;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string installed = std::string(system) + "\\" + kSaverName;
    return Exists(installed) ? installed : std::string();
}

bool PlayInSaver(const std::string& file, std::string& problem) {
    const std::string saver = FindSaver();
    if (saver.empty()) {
        problem = std::string("The screen saver ") + kSaverName + " is not installed.";
        return false;
    }
    const std::optional<std::string> chosen = ChosenRecording();
    if (!Choose(FullPath(file))) {
        problem = "The screen saver's settings cannot be written.";
        return false;
    }
    std::string commandLine = "\"" + saver + "\" /s";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(saver.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process) != FALSE;
    if (started) {
        Search search{process.dwProcessId, false};
        for (DWORD waited = 0; waited < kSaverStartMs && !search.found &&
                               WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT;
             waited += 50)
            EnumWindows(FindSaverWindow, reinterpret_cast<LPARAM>(&search));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        problem = "The screen saver " + saver + " cannot be started.";
    }
    Choose(chosen);
    return started;
}
