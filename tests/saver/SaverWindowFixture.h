#pragma once
#include "TestHooks.h"

#include "saver/SaverFramework.h"

#include <gtest/gtest.h>

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
    bool CloseRequested();
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void PlaceCursor(int x, int y);

    HWND window = nullptr;
    HWND parent = nullptr;
    POINT cursor = {500, 400};
};
