#include "saver/SaverFramework.h"

#include <cstdlib>

namespace {
void RequestClose(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

// The cursor, in screen coordinates, has travelled more than the threshold
// from the reference point; the reference point moves only then.
void CheckCursorTravel(HWND window) {
    POINT now = {};
    GetCursorPos(&now);
    DWORD travel = static_cast<DWORD>(std::abs(now.x - saverState.lastMousePos.x) +
                                      std::abs(now.y - saverState.lastMousePos.y));
    if (travel > saverState.mouseWakeThreshold) {
        RequestClose(window);
        saverState.lastMousePos = now;
    }
}

// Applies the rules that end the saver to one message. Returns true when the
// message is fully answered (result set) and must not go to the final step.
bool ApplyDismissalRules(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
    switch (message) {
        case WM_CLOSE:
            if (saverState.onWin9x && !VerifySaverPassword(window)) {
                GetCursorPos(&saverState.lastMousePos);
                result = 0;
                return true;
            }
            return false;
        case WM_VERIFY_PASSWORD:
            if (!saverState.onWin9x)
                return false;
            result = saverState.verifyPassword ? saverState.verifyPassword(window) : 1;
            return true;
    }
    if (saverState.checkingPassword)
        return false;

    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam)
                SetCursor(nullptr);
            break;
        case WM_ACTIVATEAPP:
            if (!wParam)
                RequestClose(window);
            break;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            result = TRUE;
            return true;
        case WM_POWER:
            if (wParam == PWR_CRITICALRESUME)
                RequestClose(window);
            break;
        case WM_POWERBROADCAST:
            // The display going off or on pauses playback instead.
            if (wParam != PBT_POWERSETTINGCHANGE)
                RequestClose(window);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            RequestClose(window);
            break;
        case WM_MOUSEMOVE:
            CheckCursorTravel(window);
            break;
    }
    return false;
}
}  // namespace

LRESULT DefSaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!saverState.previewMode && !saverState.closing) {
        LRESULT result = 0;
        if (ApplyDismissalRules(window, message, wParam, result))
            return result;
    }
    if (saverState.autoPlayQueryMessage && message == saverState.autoPlayQueryMessage) {
        RequestClose(window);
        return saverState.verifyPassword ? 1 : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL VerifySaverPassword(HWND window) {
    if (saverState.checkingPassword || saverState.closing)
        return FALSE;
    if (!saverState.verifyPassword) {
        saverState.closing = 1;
        return TRUE;
    }
    DWORD now = GetTickCount();
    if (saverState.lastPasswordCheck != 0xFFFFFFFF && now - saverState.lastPasswordCheck < 200)
        return FALSE;

    saverState.checkingPassword = 1;
    MSG discarded;
    for (int i = 0; i < 2; ++i)
        PeekMessageA(&discarded, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    saverState.closing = SendMessageA(window, WM_VERIFY_PASSWORD, 0, 0) ? 1 : 0;
    saverState.checkingPassword = 0;
    if (!saverState.closing)
        SetCursor(nullptr);
    saverState.lastPasswordCheck = GetTickCount();
    return saverState.closing;
}
