#pragma once
#include "saver/SaverFramework.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// The application side of the framework as the framework tests supply it:
// the window hook records what reaches it and passes it to the framework's
// default procedure.
struct TestHooks {
    std::vector<UINT> forwarded;
    BOOL prepareDialogClassesAnswer = FALSE;
    int prepareDialogClassesCalls = 0;

    bool WasForwarded(UINT message) const {
        return std::find(forwarded.begin(), forwarded.end(), message) != forwarded.end();
    }
    static TestHooks& Get() {
        static TestHooks hooks;
        return hooks;
    }
};

// A hidden window of the framework's window procedure, made fresh for each
// test with the framework state reset, the cursor at a known place and the
// given mode. The tests send it messages and look for the close requests it
// posts itself.
class SaverWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the window: full screen style, or a preview inside a parent window.
    void MakeWindow(bool preview);
    // True when a close request was posted since the last call (it is removed).
    bool CloseRequested() {
        MSG message;
        bool found = false;
        while (PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE))
            found = true;
        return found;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(window, message, wParam, lParam);
    }
    void PlaceCursor(int x, int y) {
        SetCursorPos(x, y);
        cursor = {x, y};
    }

    HWND window = nullptr;
    HWND parent = nullptr;
    POINT cursor = {500, 400};
};
