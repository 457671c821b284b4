#include "saver/SaverFramework.h"

#include "resources/ResourceIds.h"

namespace {
const char saverClassName[] = "WindowsScreenSaverClass";
const char fullScreenTitle[] = "Screen Saver";
const char previewTitle[] = "Preview";

// Brings a running full-screen saver forward; false when none runs.
bool ActivateRunningSaver() {
    HWND running = FindWindowA(saverClassName, fullScreenTitle);
    if (!running || !IsWindow(running))
        return false;
    SetForegroundWindow(running);
    return true;
}

// The rectangle around every monitor of the desktop.
RECT VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

ATOM RegisterSaverClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = FrameworkWindowProc;
    windowClass.hInstance = saverState.mainInstance;
    windowClass.hIcon = LoadIconA(saverState.mainInstance, MAKEINTRESOURCEA(IDI_SAVER));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = saverClassName;
    return RegisterClassA(&windowClass);
}
}  // namespace

int RunSaverWindow(HWND parent) {
    RECT area = {};
    DWORD style, exStyle;
    const char* title;
    if (parent) {
        RECT client = {};
        GetClientRect(parent, &client);
        area = {0, 0, client.right - client.left, client.bottom - client.top};
        style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
        exStyle = 0;
        title = previewTitle;
        saverState.previewMode = 1;
    } else {
        area = VirtualScreen();
        style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        exStyle = WS_EX_TOPMOST;
        title = fullScreenTitle;
        if (ActivateRunningSaver())
            return 0;
        // Below everything else, so that it never competes with work left running.
        SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
        LoadPasswordVerifier();
    }
    saverState.autoPlayQueryMessage =
        saverState.onWin9x ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

    if (RegisterSaverClass())
        saverState.mainWindow = CreateWindowExA(
            exStyle, saverClassName, title, style, area.left, area.top, area.right - area.left,
            area.bottom - area.top, parent, nullptr, saverState.mainInstance, nullptr);
    MSG message = {};
    if (saverState.mainWindow) {
        if (!saverState.previewMode)
            SetForegroundWindow(saverState.mainWindow);
        while (GetMessageA(&message, nullptr, 0, 0)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    UnloadPasswordVerifier();
    return static_cast<int>(message.wParam);
}

// At normal priority whatever the starting program's, which a child inherits
// when it is idle or below normal.
int ShowConfigDialog(HWND parent) {
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    if (!PrepareDialogClasses(saverState.mainInstance))
        return 0;
    return static_cast<int>(DialogBoxParamA(saverState.mainInstance, MAKEINTRESOURCEA(IDD_CONFIG),
                                            parent, ConfigDialogHook, 0));
}
