// Window objects: one object per handle, messages routed in arrival order with
// the system's default processing behind them, detached after the last one.
#include "classlib/Wnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
const UINT WM_ANSWER = WM_APP + 1;

// Records every message it sees and answers WM_ANSWER with 42; WM_SETTEXT is
// recorded and passed on to the default processing.
class RecordingWnd : public CWnd {
  public:
    std::vector<UINT> seen;
    bool postNcDestroyCalled = false;
    LRESULT defaultAnswer = -1;

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        seen.push_back(message);
        if (message == WM_ANSWER) {
            result = 42;
            return true;
        }
        if (message == WM_SETTEXT) {
            result = defaultAnswer = Default();
            return true;
        }
        return CWnd::OnMessage(message, wParam, lParam, result);
    }
    void PostNcDestroy() override { postNcDestroyCalled = true; }
};

// Routes the messages of test windows to their attached objects.
LRESULT CALLBACK RoutingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CWnd::Route(CWnd::FromHandlePermanent(window), window, message, wParam, lParam);
}

// A hidden window of the routing procedure with a recording object attached.
class Wnd : public ::testing::Test {
  protected:
    void SetUp() override {
        static ATOM windowClass = [] {
            WNDCLASSA description = {};
            description.lpfnWndProc = RoutingProc;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = "ClassLibraryTestWindow";
            return RegisterClassA(&description);
        }();
        ASSERT_NE(windowClass, 0);
        window = MakeWindow();
        ASSERT_TRUE(object.Attach(window));
    }
    void TearDown() override { DestroyWindow(window); }
    static HWND MakeWindow() {
        return CreateWindowExA(0, "ClassLibraryTestWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    HWND window = nullptr;
    RecordingWnd object;
};
}  // namespace

TEST_F(Wnd, OneObjectPerHandleAndMessagesInArrivalOrder) {
    EXPECT_EQ(CWnd::FromHandlePermanent(window), &object);
    RecordingWnd other;
    EXPECT_FALSE(other.Attach(window)) << "a handle belongs to one object";
    EXPECT_FALSE(other.Attach(nullptr));
    HWND second = MakeWindow();
    EXPECT_FALSE(object.Attach(second)) << "an object holds one handle";
    DestroyWindow(second);

    EXPECT_EQ(SendMessageA(window, WM_ANSWER, 0, 0), 42);
    PostMessageA(window, WM_APP + 7, 0, 0);
    SendMessageA(window, WM_APP + 9, 0, 0);
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    std::vector<UINT> appMessages;
    for (UINT m : object.seen)
        if (m >= WM_APP)
            appMessages.push_back(m);
    EXPECT_EQ(appMessages, (std::vector<UINT>{WM_ANSWER, WM_APP + 9, WM_APP + 7}));

    SetWindowTextA(window, "routed title");
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "routed title") << "default processing is the system's for a plain window";
    EXPECT_EQ(object.defaultAnswer, TRUE);
    EXPECT_EQ(RecordingWnd().Default(), 0) << "outside a message";
}

TEST_F(Wnd, DestructionDetachesAfterTheLastMessageAndADetachedObjectHearsNothing) {
    EXPECT_TRUE(object.DestroyWindow());
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    EXPECT_TRUE(object.postNcDestroyCalled);
    ASSERT_GE(object.seen.size(), 2u);
    EXPECT_EQ(object.seen[object.seen.size() - 2], static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(object.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(object.DestroyWindow()) << "nothing left to destroy";

    window = MakeWindow();
    {
        RecordingWnd deleted;
        ASSERT_TRUE(deleted.Attach(window));
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    ASSERT_TRUE(object.Attach(window));
    EXPECT_EQ(object.Detach(), window);
    const size_t before = object.seen.size();
    EXPECT_EQ(CWnd::Route(&object, window, WM_ANSWER, 0, 0), 0) << "an object of no handle";
    EXPECT_EQ(object.seen.size(), before);
}
