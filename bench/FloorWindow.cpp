// floor-window: the least a Windows program of this build does to show a
// picture: one full-screen top-level window that paints itself once, in the
// colour the playback benchmark watches for. Its time to the screen is the
// floor for the saver's first painted frame. Ends when a key is pressed or
// after ten seconds.
#include <windows.h>

#include <cstdlib>

namespace {

COLORREF paintColour = 0;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            HBRUSH brush = CreateSolidBrush(paintColour);
            FillRect(dc, &paint.rcPaint, brush);
            DeleteObject(brush);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_KEYDOWN:
        case WM_TIMER:
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    paintColour = COLORREF(strtoul(commandLine, nullptr, 16));
    WNDCLASSA type = {};
    type.lpfnWndProc = FloorProc;
    type.hInstance = instance;
    type.lpszClassName = "FloorWindow";
    RegisterClassA(&type);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, type.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0,
                                  0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    SetTimer(window, 1, 10000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
