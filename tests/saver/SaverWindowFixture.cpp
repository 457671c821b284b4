#include "SaverWindowFixture.h"

LRESULT SaverWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TestHooks::Get().forwarded.push_back(message);
    return DefSaverWindowProc(window, message, wParam, lParam);
}

INT_PTR CALLBACK ConfigDialogHook(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

BOOL PrepareDialogClasses(HINSTANCE) {
    ++TestHooks::Get().prepareDialogClassesCalls;
    return TestHooks::Get().prepareDialogClassesAnswer;
}

namespace {
const char testClassName[] = "SaverFrameworkTestWindow";
}  // namespace

void SaverWindowFixture::SetUp() {
    saverState = SaverFrameworkState{};
    TestHooks::Get().forwarded.clear();
    PlaceCursor(cursor.x, cursor.y);
    static ATOM registered = [] {
        WNDCLASSA description = {};
        description.lpfnWndProc = FrameworkWindowProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = testClassName;
        return RegisterClassA(&description);
    }();
    ASSERT_NE(registered, 0);
}

void SaverWindowFixture::TearDown() {
    if (window && IsWindow(window))
        DestroyWindow(window);
    if (parent)
        DestroyWindow(parent);
    // A destroyed saver window posts a quit message; it must not end the
    // message loops of later tests.
    MSG message;
    PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    CloseRequested();
    saverState = SaverFrameworkState{};
}

void SaverWindowFixture::MakeWindow(bool preview) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (preview) {
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 160, 120, nullptr, nullptr,
                                 instance, nullptr);
        saverState.previewMode = 1;
    }
    window =
        CreateWindowExA(0, testClassName, preview ? "Preview" : "Screen Saver",
                        preview ? WS_CHILD | WS_CLIPCHILDREN : WS_POPUP, 0, 0, preview ? 160 : 200,
                        preview ? 120 : 100, parent, nullptr, instance, nullptr);
    ASSERT_NE(window, nullptr);
    CloseRequested();
    TestHooks::Get().forwarded.clear();
}
