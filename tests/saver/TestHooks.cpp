#include "TestHooks.h"

#include "saver/SaverFramework.h"

#include <algorithm>

bool TestHooks::WasForwarded(UINT message) const
{
    return std::find(forwarded.begin(), forwarded.end(), message) != forwarded.end();
}

TestHooks& TestHooks::Get()
{
    static TestHooks hooks;
    return hooks;
}

LRESULT SaverWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TestHooks::Get().forwarded.push_back(message);
    return DefSaverWindowProc(window, message, wParam, lParam);
}

INT_PTR CALLBACK ConfigDialogHook(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL PrepareDialogClasses(HINSTANCE)
{
    ++TestHooks::Get().prepareDialogClassesCalls;
    return TestHooks::Get().prepareDialogClassesAnswer;
}
