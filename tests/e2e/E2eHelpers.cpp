// The helpers the end-to-end tests drive Windows programs with: input,
// the registry, screenshots, the system DPI, processes and waits.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/Screenshot.h"
#include "e2e/SystemDpi.h"
#include "e2e/TestProcess.h"
#include "e2e/WindowWait.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace e2e {
namespace {

void SendMouse(DWORD flags) {
    INPUT input = {INPUT_MOUSE, {}};
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// The down flags of the left, right and middle buttons; each up flag is the next bit.
const DWORD kButtonDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN};

// Where the desktop and Wine's font setup read the DPI from.
const char* const kDpiKeys[2] = {"Control Panel\\Desktop", "Software\\Wine\\Fonts"};

}  // namespace

void PressKeyAndRelease(WORD virtualKey) {
    INPUT inputs[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
    const WORD scan = WORD(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    inputs[0].ki = {virtualKey, scan, 0, 0, 0};
    inputs[1].ki = {virtualKey, scan, KEYEVENTF_KEYUP, 0, 0};
    SendInput(2, inputs, sizeof inputs[0]);
}

void PressButton(MouseButton button) {
    SendMouse(kButtonDown[int(button)]);
}

void ReleaseButton(MouseButton button) {
    SendMouse(kButtonDown[int(button)] << 1);
}

std::optional<DWORD> ReadDword(const std::string& key, const std::string& name, HKEY root) {
    DWORD value = 0, size = sizeof value;
    const LONG status =
        RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status ? std::nullopt : std::optional<DWORD>(value);
}

std::optional<std::string> ReadString(const std::string& key, const std::string& name, HKEY root) {
    char value[4096] = {};
    DWORD size = sizeof value;
    const LONG status =
        RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size);
    return status ? std::nullopt : std::optional<std::string>(value);
}

bool WriteRaw(const std::string& key, const std::string& name, DWORD type,
              const std::vector<BYTE>& data, HKEY root) {
    return RegSetKeyValueA(root, key.c_str(), name.c_str(), type, data.data(),
                           DWORD(data.size())) == ERROR_SUCCESS;
}

bool WriteDword(const std::string& key, const std::string& name, DWORD value, HKEY root) {
    return RegSetKeyValueA(root, key.c_str(), name.c_str(), REG_DWORD, &value, sizeof value) ==
           ERROR_SUCCESS;
}

bool WriteString(const std::string& key, const std::string& name, const std::string& value,
                 HKEY root) {
    return RegSetKeyValueA(root, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                           DWORD(value.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteKeyTree(const std::string& key, HKEY root) {
    const LONG status = RegDeleteTreeA(root, key.c_str());
    RegDeleteKeyA(root, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

Picture CaptureArea(const RECT& area) {
    Picture picture{area.right - area.left, area.bottom - area.top, {}};
    BITMAPINFO info = {
        {sizeof info.bmiHeader, picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = picture.width > 0 && picture.height > 0
                         ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                         : nullptr;
    if (bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const uint32_t* pixels = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < size_t(picture.width) * picture.height; ++i)
            picture.pixels.push_back(pixels[i] & 0xFFFFFF);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap ? picture : Picture{};
}

Picture CaptureScreen() {
    return CaptureArea({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

Picture CaptureWindow(HWND window) {
    RECT area = {};
    return GetWindowRect(window, &area) ? CaptureArea(area) : Picture{};
}

bool SavePng(const Picture& picture, const std::string& path) {
    std::vector<uint32_t> rgba;  // the bytes R, G, B, A in memory
    for (uint32_t p : picture.pixels)
        rgba.push_back(0xFF000000 | (p & 255) << 16 | (p & 0xFF00) | (p >> 16 & 255));
    return !rgba.empty() && stbi_write_png(path.c_str(), picture.width, picture.height, 4,
                                           rgba.data(), picture.width * 4) != 0;
}

SystemDpi::SystemDpi(DWORD dpi) {
    for (int i = 0; i < 2; ++i) {
        before[i] = ReadDword(kDpiKeys[i], "LogPixels");
        WriteDword(kDpiKeys[i], "LogPixels", dpi);
    }
}

SystemDpi::~SystemDpi() {
    for (int i = 0; i < 2; ++i)
        before[i] ? WriteDword(kDpiKeys[i], "LogPixels", *before[i])
                  : !RegDeleteKeyValueA(HKEY_CURRENT_USER, kDpiKeys[i], "LogPixels");
}

std::string WindowsPath(const std::string& hostPath) {
    std::string path = hostPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.rfind('\\', 0) == 0 ? "Z:" + path : path;
}

bool TestProcess::Start(const std::string& program, const std::string& arguments, DWORD flags) {
    Kill();
    std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    return true;
}

DWORD TestProcess::ExitCodeOrKill(DWORD timeoutMs) {
    DWORD exitCode = killedExitCode;
    if (info.hProcess && WaitUntil([&] { return !IsRunning(); }, timeoutMs))
        GetExitCodeProcess(info.hProcess, &exitCode);
    Kill();
    return exitCode;
}

bool TestProcess::IsRunning() const {
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

void TestProcess::Kill() {
    if (IsRunning() && TerminateProcess(info.hProcess, killedExitCode))
        WaitForSingleObject(info.hProcess, 5000);
    if (info.hProcess)
        CloseHandle(info.hProcess);
    info = {};
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND MakeWindow(HWND parent, DWORD style, const char* windowClass) {
    HWND window = CreateWindowExA(0, windowClass, "", style, 0, 0, 320, 240, parent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    return window;
}

std::string ControlText(HWND dialog, int id) {
    char text[1024] = {};
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount();;) {
        PumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, HWND parent) {
    HWND found = nullptr;
    auto shown = [&] {
        found = FindWindowExA(parent, nullptr, className, title);
        return found && IsWindowVisible(found);
    };
    return WaitUntil(shown, timeoutMs) ? found : nullptr;
}

bool WaitUntilIdle(HANDLE process, HWND window, DWORD timeoutMs) {
    // A sent message is answered only once the window's thread asks for
    // messages again, after what it was handling before.
    return WaitUntil(
        [&] {
            DWORD_PTR answer = 0;
            return WaitForSingleObject(process, 0) == WAIT_OBJECT_0 ||
                   (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 200, &answer) &&
                    WaitForInputIdle(process, 200) == 0);
        },
        timeoutMs);
}

}  // namespace e2e
