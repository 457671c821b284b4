// The class library: one window object per handle, messages routed in arrival
// order with the system's default processing behind them and the object
// detached after the last one; the owners of dialogs, and the file chooser's
// filter.
#include "TestResources.h"
#include "classlib/Dialog.h"
#include "classlib/FileDialog.h"
#include "classlib/WinApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {
const UINT WM_ANSWER = WM_APP + 1;

// Records every message; answers WM_ANSWER with 42 and passes WM_SETTEXT to
// the default processing.
class RecordingWnd : public CWnd {
  public:
    std::vector<UINT> seen;
    bool postNcDestroyCalled = false;
    LRESULT defaultAnswer = -1;

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        seen.push_back(message);
        if (message == WM_ANSWER || message == WM_SETTEXT) {
            result = message == WM_ANSWER ? 42 : (defaultAnswer = Default());
            return true;
        }
        return CWnd::OnMessage(message, wParam, lParam, result);
    }
    void PostNcDestroy() override { postNcDestroyCalled = true; }
};

LRESULT CALLBACK RoutingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CWnd::Route(CWnd::FromHandlePermanent(window), window, message, wParam, lParam);
}

HWND MakeWindow(const char* windowClass = "ClassLibraryTest", HWND owner = nullptr) {
    static ATOM routed = [] {
        WNDCLASSA description = {};
        description.lpfnWndProc = RoutingProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "ClassLibraryTest";
        return RegisterClassA(&description);
    }();
    return routed ? CreateWindowExA(0, windowClass, "", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200,
                                    owner, nullptr, GetModuleHandleA(nullptr), nullptr)
                  : nullptr;
}
}  // namespace

TEST(Wnd, OneObjectPerHandleAndMessagesInArrivalOrder) {
    HWND window = MakeWindow(), second = MakeWindow();
    RecordingWnd object, other;
    ASSERT_TRUE(object.Attach(window));
    EXPECT_EQ(CWnd::FromHandlePermanent(window), &object);
    EXPECT_FALSE(other.Attach(window)) << "a handle belongs to one object";
    EXPECT_FALSE(other.Attach(nullptr));
    EXPECT_FALSE(object.Attach(second)) << "an object holds one handle";
    DestroyWindow(second);

    EXPECT_EQ(SendMessageA(window, WM_ANSWER, 0, 0), 42);
    PostMessageA(window, WM_APP + 7, 0, 0);
    SendMessageA(window, WM_APP + 9, 0, 0);
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    std::vector<UINT> appMessages;
    std::copy_if(object.seen.begin(), object.seen.end(), std::back_inserter(appMessages),
                 [](UINT m) { return m >= WM_APP; });
    EXPECT_EQ(appMessages, (std::vector<UINT>{WM_ANSWER, WM_APP + 9, WM_APP + 7}));

    SetWindowTextA(window, "routed title");
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "routed title") << "default processing is the system's for a plain window";
    EXPECT_EQ(object.defaultAnswer, TRUE);
    EXPECT_EQ(RecordingWnd().Default(), 0) << "outside a message";

    EXPECT_TRUE(object.DestroyWindow());
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    EXPECT_TRUE(object.postNcDestroyCalled);
    ASSERT_GE(object.seen.size(), 2u);
    EXPECT_EQ(object.seen.end()[-2], static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(object.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(object.DestroyWindow()) << "nothing left to destroy";
}

TEST(Wnd, AGoneOrDetachedObjectHearsNothing) {
    HWND window = MakeWindow();
    {
        RecordingWnd deleted;
        ASSERT_TRUE(deleted.Attach(window));
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    RecordingWnd object;
    ASSERT_TRUE(object.Attach(window));
    EXPECT_EQ(object.Detach(), window);
    EXPECT_EQ(CWnd::Route(&object, window, WM_ANSWER, 0, 0), 0) << "an object of no handle";
    EXPECT_TRUE(object.seen.empty());
    DestroyWindow(window);
}

namespace {
// A form that notes its owners at initialisation and presses OK.
class TestForm : public CDialog {
  public:
    TestForm() : CDialog(IDD_TEST_FORM) {}
    HWND owner = nullptr, topLevelOwner = nullptr;

  protected:
    BOOL OnInitDialog() override {
        owner = GetWindow(GetSafeHwnd(), GW_OWNER);
        topLevelOwner = GetTopLevelOwner();
        PostMessageA(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return CDialog::OnInitDialog();
    }
};
}  // namespace

// Data exchange and OK and Cancel are driven end to end with the saver's
// configuration dialog (ConfigDialogE2ETest).
TEST(Dialog, OwnerIsTheParentElseTheMainWindowWhileItExistsAndATemplateIsNeeded) {
    HWND top = MakeWindow("STATIC"), middle = MakeWindow("STATIC", top);
    TestForm child, owned, orphan, alone;
    EXPECT_EQ(alone.DoModal(), IDOK);
    EXPECT_EQ(alone.owner, nullptr) << "no parent and no application";
    EXPECT_EQ(alone.GetSafeHwnd(), nullptr) << "detached once the dialog is gone";
    child.SetParentWindow(middle);
    EXPECT_EQ(child.DoModal(), IDOK);
    EXPECT_EQ(child.owner, middle);
    EXPECT_EQ(child.topLevelOwner, top);

    CWinApp app;
    CWnd mainObject;
    ASSERT_TRUE(mainObject.Attach(middle));
    app.mainWnd = &mainObject;
    EXPECT_EQ(owned.DoModal(), IDOK);
    EXPECT_EQ(owned.owner, middle);
    DestroyWindow(middle);
    EXPECT_EQ(orphan.DoModal(), IDOK);
    EXPECT_EQ(orphan.owner, nullptr) << "the main window is gone";
    mainObject.Detach();
    DestroyWindow(top);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());
}

TEST(FileDialog, FilterPairsBecomeZeroSeparated) {
    const char expected[] = "All Files (*.*)\0*.*\0VQD file (.vqd)\0*.vqd\0";
    EXPECT_EQ(CFileDialog::SystemFilter("All Files (*.*)|*.*|VQD file (.vqd)|*.vqd||"),
              std::string(expected, sizeof expected));
}
