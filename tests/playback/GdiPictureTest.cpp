// The picture drawn before DirectDraw is set up, as the saver's first paint
// draws it: straight from the decoded image into the window through GDI.
#include <windows.h>

#include "PlaybackFixture.h"
#include "e2e/WindowWait.h"
#include "playback/FramePresenter.h"

using namespace playback_e2e;

namespace {

TEST(FirstPicture, IsTheDecodedPictureWithBlackBordersThroughGdi) {
    TestRecording t;
    t.capture = {100, 50, 900, 650};
    Decoded d(t.Write("gdi-picture.vqd"), t.capture);
    WNDCLASSA plain = {};
    plain.lpfnWndProc = DefWindowProcA;
    plain.lpszClassName = "QvPlainWindow";
    RegisterClassA(&plain);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, plain.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0,
                                  0, kImageWidth, kImageHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    e2e::PumpMessages();
    HDC dc = GetDC(window);
    const RECT all = {0, 0, kImageWidth, kImageHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Render(d.file, window, dc, false, false);
    ReleaseDC(window, dc);
    // The window's drawing reaches the screen a moment later.
    const PresentationLayout l = LayOutPicture(kScreen, {0, 0}, t.capture, false);
    e2e::Picture screen;
    e2e::WaitUntil([&] { return d.Wrong(screen = e2e::CaptureScreen(), l) == 0; }, 5000);
    DestroyWindow(window);
    d.Expect(screen, l);
}

}  // namespace
