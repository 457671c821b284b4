#include "SaverWindowFixture.h"

namespace {
const char testClassName[] = "SaverFrameworkTestWindow";

void RegisterTestClass()
{
    static ATOM registered = [] {
        WNDCLASSA description = {};
        description.lpfnWndProc = FrameworkWindowProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = testClassName;
        return RegisterClassA(&description);
    }();
    ASSERT_NE(registered, 0);
}

// A destroyed saver window posts a quit message; it must not end the message
// loops of later tests.
void DiscardQuitMessage()
{
    MSG message;
    PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
} // namespace

void SaverWindowFixture::SetUp()
{
    saverState = SaverFrameworkState{};
    TestHooks::Get().forwarded.clear();
    PlaceCursor(cursor.x, cursor.y);
    RegisterTestClass();
}

void SaverWindowFixture::TearDown()
{
    if (window && IsWindow(window))
        DestroyWindow(window);
    if (parent)
        DestroyWindow(parent);
    DiscardQuitMessage();
    CloseRequested();
    saverState = SaverFrameworkState{};
}

void SaverWindowFixture::MakeWindow(bool preview)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (preview) {
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 160, 120, nullptr, nullptr, instance, nullptr);
        saverState.previewMode = 1;
        window = CreateWindowExA(0, testClassName, "Preview", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 160, 120, parent,
                                 nullptr, instance, nullptr);
    } else {
        window = CreateWindowExA(0, testClassName, "Screen Saver", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                 instance, nullptr);
    }
    ASSERT_NE(window, nullptr);
    CloseRequested();
    TestHooks::Get().forwarded.clear();
}

bool SaverWindowFixture::CloseRequested()
{
    MSG message;
    bool found = false;
    while (PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE))
        found = true;
    return found;
}

LRESULT SaverWindowFixture::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(window, message, wParam, lParam);
}

void SaverWindowFixture::PlaceCursor(int x, int y)
{
    SetCursorPos(x, y);
    cursor = {x, y};
}
