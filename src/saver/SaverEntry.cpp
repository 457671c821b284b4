#include "saver/SaverFramework.h"

#include <cstdint>

namespace {
bool IsSwitchSeparator(char c) {
    return c == ' ' || c == '-' || c == '/';
}

const char* SkipSpaces(const char* text) {
    while (*text == ' ')
        ++text;
    return text;
}

// A handle that names an existing window, or null.
HWND ExistingWindow(HWND window) {
    return window && IsWindow(window) ? window : nullptr;
}

// An exception that nothing else caught: the system is told that no saver
// runs any more, and the process ends.
LONG WINAPI EndAfterException(EXCEPTION_POINTERS*) {
    SetSaverRunning(FALSE);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

const char* CommandTail(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        p = CharNextA(p);
        while (*p && *p != '"')
            p = CharNextA(p);
        if (*p == '"')
            p = CharNextA(p);
    } else {
        while (static_cast<unsigned char>(*p) > ' ')
            p = CharNextA(p);
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return p;
}

void SaverStartup() {
    const char* tail = CommandTail(GetCommandLineA());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int showCommand =
        (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(
        static_cast<UINT>(SaverMain(GetModuleHandleA(nullptr), nullptr, tail, showCommand)));
}

// The decimal window handle of /p, /c and /a, as wide as a pointer.
HWND ParseWindowHandle(const char* text) {
    uintptr_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10 + static_cast<uintptr_t>(*text - '0');
    return reinterpret_cast<HWND>(value);
}

int SaverMain(HINSTANCE instance, HINSTANCE, const char* commandTail, int) {
    saverState.mainInstance = instance;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    saverState.onWin9x =
        GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
    SetUnhandledExceptionFilter(EndAfterException);

    const char* p = commandTail;
    while (IsSwitchSeparator(*p))
        ++p;
    switch (*p) {
        case '\0':
            return ShowConfigDialog(nullptr);
        case 'C':
        case 'c': {
            HWND owner = p[1] == ':' ? ExistingWindow(ParseWindowHandle(p + 2)) : nullptr;
            return ShowConfigDialog(owner ? owner : GetForegroundWindow());
        }
        case 'S':
        case 's':
            return RunSaverWindow(nullptr);
        case 'P':
        case 'p':
        case 'L':
        case 'l': {
            HWND parent = ExistingWindow(ParseWindowHandle(SkipSpaces(p + 1)));
            return parent ? RunSaverWindow(parent) : -1;
        }
        case 'A':
        case 'a': {
            if (!saverState.onWin9x)
                return -1;
            HWND owner = ExistingWindow(ParseWindowHandle(SkipSpaces(p + 1)));
            ChangeSaverPassword(owner ? owner : GetForegroundWindow());
            return 0;
        }
        default:
            return -1;
    }
}
