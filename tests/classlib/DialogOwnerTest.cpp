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
    BOOL OnInitDialog() override
    {
        owner = GetWindow(GetSafeHwnd(), GW_OWNER);
        topLevelOwner = GetTopLevelOwner();
        ModifyStyleEx(0, WS_EX_TOOLWINDOW, SWP_NOOWNERZORDER);
        CenterWindow();
        GetWindowRect(GetSafeHwnd(), &placed);
        EndDialog(IDOK);
        return TRUE;
    }
};

HWND MakeWindow(HWND owner)
{
    return CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}
} // namespace

TEST(DialogOwner, InMemoryTemplateWithoutParentOrApplicationHasNoOwner)
{
    NotingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.owner, nullptr);
    EXPECT_NE(dialog.topLevelOwner, nullptr) << "a window without owner is its own top-level owner";
}

TEST(DialogOwner, ModalDialogWithoutParentIsOwnedByTheMainWindow)
{
    CWinApp app;
    HWND main = MakeWindow(nullptr);
    CWnd mainObject;
    ASSERT_TRUE(mainObject.Attach(main));
    app.mainWnd = &mainObject;
    NotingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.owner, main);
    EXPECT_EQ(dialog.topLevelOwner, main);
    RECT mainPlace = {};
    GetWindowRect(main, &mainPlace);
    EXPECT_EQ((dialog.placed.left + dialog.placed.right) / 2, (mainPlace.left + mainPlace.right) / 2)
        << "centred over its owner";
    mainObject.Detach();
    DestroyWindow(main);
}

TEST(DialogOwner, TopLevelOwnerIsTheEndOfTheOwnerChain)
{
    HWND top = MakeWindow(nullptr);
    HWND middle = MakeWindow(top);
    NotingDialog dialog;
    dialog.SetParentWindow(middle);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.owner, middle);
    EXPECT_EQ(dialog.topLevelOwner, top);
    DestroyWindow(middle);
    DestroyWindow(top);
}

TEST(DialogOwner, ExtendedStyleChangeReportsWhetherAnythingChanged)
{
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
