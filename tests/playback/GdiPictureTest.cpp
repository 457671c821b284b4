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
    const std::string path = Write(t, "gdi-picture.vqd");
    Decoded decoded(path);
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
    Render(decoded.file, window, dc, false, false);
    ReleaseDC(window, dc);
    // The window's drawing reaches the screen a moment later.
    const PresentationLayout l =
        LayOutPicture({0, 0, kImageWidth, kImageHeight}, {0, 0}, t.capture, false);
    const int tolerance = Tolerance(t.bitCount);
    e2e::Picture screen;
    e2e::WaitUntil(
        [&] {
            e2e::PumpMessages();
            screen = e2e::CaptureScreen();
            return Differences(screen, decoded, l, t.capture, tolerance) == 0;
        },
        5000);
    DestroyWindow(window);
    EXPECT_EQ(Differences(screen, decoded, l, t.capture, tolerance), 0);
    for (int i = 0; i < l.borderCount; ++i) {
        const Rect& b = l.borders[i];
        EXPECT_EQ(screen.At((b.left + b.right) / 2, (b.top + b.bottom) / 2), 0u) << "border " << i;
    }
}

}  // namespace
