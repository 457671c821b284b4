// Dialogs from templates in memory, who owns a modal dialog, and the window
// helpers dialogs use at initialisation.
#include "classlib/Dialog.h"
#include "classlib/WinApp.h"

#include <gtest/gtest.h>

namespace {
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
};

const EmptyTemplate popupTemplate = {{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 120, 60}, 0, 0, 0};

// Notes its owner and centres itself at initialisation, then ends.
class NotingDialog : public CDialog {
  public:
    NotingDialog() : CDialog(&popupTemplate.dialog) {}

    HWND owner = nullptr;
    HWND topLevelOwner = nullptr;
    RECT placed = {};

  protected:
    BOOL OnInitDialog() override {
        owner = GetWindow(GetSafeHwnd(), GW_OWNER);
        topLevelOwner = GetTopLevelOwner();
        ModifyStyleEx(0, WS_EX_TOOLWINDOW, SWP_NOOWNERZORDER);
        CenterWindow();
        GetWindowRect(GetSafeHwnd(), &placed);
        EndDialog(IDOK);
        return TRUE;
    }
};

HWND MakeWindow(HWND owner) {
    return CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, owner,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

TEST(DialogOwner, NoneOrTheParentOrTheMainWindowAndTheEndOfTheOwnerChain) {
    NotingDialog alone;
    EXPECT_EQ(alone.DoModal(), IDOK);
    EXPECT_EQ(alone.owner, nullptr) << "in-memory template without parent or application";
    EXPECT_NE(alone.topLevelOwner, nullptr) << "a window without owner is its own top-level owner";

    HWND top = MakeWindow(nullptr);
    HWND middle = MakeWindow(top);
    NotingDialog child;
    child.SetParentWindow(middle);
    EXPECT_EQ(child.DoModal(), IDOK);
    EXPECT_EQ(child.owner, middle);
    EXPECT_EQ(child.topLevelOwner, top);

    CWinApp app;
    CWnd mainObject;
    ASSERT_TRUE(mainObject.Attach(top));
    app.mainWnd = &mainObject;
    NotingDialog owned;
    EXPECT_EQ(owned.DoModal(), IDOK);
    EXPECT_EQ(owned.owner, top) << "a modal dialog without parent is owned by the main window";
    EXPECT_EQ(owned.topLevelOwner, top);
    RECT mainPlace = {};
    GetWindowRect(top, &mainPlace);
    EXPECT_EQ((owned.placed.left + owned.placed.right) / 2, (mainPlace.left + mainPlace.right) / 2)
        << "centred over its owner";
    mainObject.Detach();
    DestroyWindow(middle);
    DestroyWindow(top);
}

TEST(DialogOwner, ExtendedStyleChangeReportsWhetherAnythingChanged) {
    CWnd window;
    EXPECT_FALSE(window.ModifyStyleEx(0, WS_EX_TOOLWINDOW)) << "no window attached";
    HWND plain = MakeWindow(nullptr);
    ASSERT_TRUE(window.Attach(plain));
    EXPECT_TRUE(window.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(GetWindowLongA(plain, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(window.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(window.ModifyStyleEx(WS_EX_TOOLWINDOW, 0, SWP_NOOWNERZORDER));
    EXPECT_FALSE(GetWindowLongA(plain, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    window.Detach();
    DestroyWindow(plain);
}
