#include "saver/SaverFramework.h"

#include "saver/LibraryFunction.h"

namespace {
// The saver takes no text input: its window is detached from the input
// method while it exists (only when the process already uses IMM32).
void DetachInputMethod(HWND window) {
    saverState.imeLibrary = GetModuleHandleA("IMM32.DLL");
    saverState.associateContext =
        LibraryFunction<AssociateContextFunction>(saverState.imeLibrary, "ImmAssociateContext");
    if (saverState.associateContext)
        saverState.detachedContext = saverState.associateContext(window, nullptr);
}

void RestoreInputMethod(HWND window) {
    if (saverState.imeLibrary && saverState.associateContext && saverState.detachedContext)
        saverState.associateContext(window, saverState.detachedContext);
}

bool IsSwallowedSystemCommand(WPARAM command) {
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

// In preview, help requests go to the window the preview sits in.
LRESULT PassHelpToParent(HWND window, UINT message, LPARAM lParam) {
    HWND parent = GetParent(window);
    if (parent && IsWindow(parent))
        PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
    return 1;
}
}  // namespace

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            DetachInputMethod(window);
            GetCursorPos(&saverState.lastMousePos);
            if (!saverState.previewMode)
                SetCursor(nullptr);
            break;
        case WM_DESTROY:
            RestoreInputMethod(window);
            PostQuitMessage(0);
            break;
        case WM_SETTEXT:
            return 0;
        case WM_PAINT:
            if (saverState.closing)
                return DefWindowProcA(window, message, wParam, lParam);
            if (!saverState.previewMode)
                SetCursor(nullptr);
            break;
        case WM_HELP:
        case WM_CONTEXTMENU:
            if (saverState.previewMode)
                return PassHelpToParent(window, message, lParam);
            break;
        case WM_SYSCOMMAND:
            if (!saverState.previewMode && IsSwallowedSystemCommand(wParam))
                return 0;
            break;
        case WM_TIMER:
            if (saverState.closing)
                return 0;
            Sleep(0);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (saverState.closing)
                return DefWindowProcA(window, message, wParam, lParam);
            break;
    }
    return SaverWindowHook(window, message, wParam, lParam);
}
