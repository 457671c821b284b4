// The presenter on the real display objects: a recording made by the encoder
// is played into a full-screen window and what reaches the screen is compared
// with the decoded picture.
#include <windows.h>

#include <gtest/gtest.h>

#include "FrameUpdateBuilder.h"
#include "playback/DisplayObjects.h"
#include "playback/FramePresenter.h"
#include "playback/PresentationLayout.h"
#include "recording/RecordingEncoder.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;
const Rect kCapture{20, 10, 300, 230};

constexpr int kTile = 20;

// Three frames of a picture with distinct colours in every pixel, or in every
// tile of kTile x kTile pixels (for the scaled picture, whose sampling may
// take a neighbouring pixel).
std::string WriteRecording(uint16_t bitCount, bool topDown, bool tiled) {
    const std::string path = TempPath("presented-" + std::to_string(bitCount) +
                                      (topDown ? "t" : "b") + (tiled ? "s" : "") + ".vqd");
    const Bytes info = BitmapInfo(kWidth, topDown ? -kHeight : kHeight, bitCount);
    const uint32_t bpp = bitCount / 8, stride = (kWidth * bpp + 3) & ~3u;
    Bytes pixels(stride * kHeight);
    vqd::RecordingEncoder encoder;
    EXPECT_TRUE(encoder.Create(path.c_str(), vqd::RecordingInfo{}));
    for (uint32_t frame = 0; frame < 3; ++frame) {
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t i = 0; i < kWidth * bpp; ++i)
                pixels[y * stride + i] = tiled ? uint8_t((i / bpp / kTile) * 37 + (y / kTile) * 71 +
                                                         i % bpp * 50 + frame * 40)
                                               : uint8_t(i * 5 + y * 3 + frame * 40);
        EXPECT_TRUE(
            encoder.AddFrame({info.data(), pixels.data(), kCapture, {0, 0}, 0, 0}, frame * 100));
    }
    EXPECT_TRUE(encoder.Finish());
    return path;
}

// The decoded pixel at image column x of memory row y as 0xRRGGBB.
uint32_t ImageColour(const FrameImage& image, uint32_t x, uint32_t y) {
    const uint8_t* p = image.currentImage + y * image.stride + x * image.bytesPerPixel;
    if (image.bytesPerPixel == 2) {
        const uint32_t v = p[0] | p[1] << 8;
        const uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
        return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
    }
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

// The screen's pixels as 0xRRGGBB, rows from the top.
std::vector<uint32_t> CaptureScreen(int width, int height) {
    std::vector<uint32_t> out(size_t(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* px = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = px[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out;
}

void PumpMessages(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

// The window paints as the saver window does: the whole picture on every paint.
struct PaintRequest {
    RecordingFile* recording = nullptr;
    bool scale = false;
};
PaintRequest paintRequest;

LRESULT CALLBACK PresenterWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (paintRequest.recording)
        Render(*paintRequest.recording, window, dc, false, paintRequest.scale);
    EndPaint(window, &ps);
    return 0;
}

class PresenterTest : public ::testing::TestWithParam<std::tuple<uint16_t, bool, bool>> {
  protected:
    void SetUp() override {
        screenW = GetSystemMetrics(SM_CXSCREEN);
        screenH = GetSystemMetrics(SM_CYSCREEN);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PresenterWindowProc;
        wc.lpszClassName = "PresenterTestWindow";
        RegisterClassA(&wc);
        window =
            CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Presenter", WS_POPUP | WS_VISIBLE, 0,
                            0, screenW, screenH, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        PumpMessages(300);
        ASSERT_TRUE(InitDisplay(window));
        ASSERT_TRUE(recording.Initialize());
        recording.SetFrameSurfaceReleaser(ReleaseFrameSurface);
    }
    void TearDown() override {
        ReleaseFrameSurface(recording);
        ReleaseDisplay();
        paintRequest = {};
        recording.Close();
        recording.Release();
        DestroyWindow(window);
    }
    HWND window = nullptr;
    int screenW = 0, screenH = 0;
    RecordingFile recording;
};

TEST_P(PresenterTest, TheScreenShowsTheDecodedPicture) {
    const auto [bitCount, topDown, scale] = GetParam();
    ASSERT_TRUE(
        recording.Open(WriteRecording(bitCount, topDown, scale).c_str(), LockedFile::kRead));
    recording.SetQuickPlay(1);
    recording.Restart();
    paintRequest = {&recording, scale};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(recording.PlayStep());
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    PumpMessages(200);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    PumpMessages(100);
    const std::vector<uint32_t> screen = CaptureScreen(screenW, screenH);
    const PresentationLayout l = LayOutPicture({0, 0, screenW, screenH}, {0, 0}, kCapture, scale);
    const FrameImage& image = recording.GetFrameImage();
    // 16-bit pictures, or any picture on a 16-bit display, are 565 somewhere
    // on the way: each channel comes back within the expansion to 8 bits.
    HDC screenDc = GetDC(nullptr);
    const bool display16 = GetDeviceCaps(screenDc, BITSPIXEL) == 16;
    ReleaseDC(nullptr, screenDc);
    const int tolerance = bitCount == 16 || display16 ? 8 : 0;
    int wrong = 0;
    for (int y = l.picture.top; y < l.picture.bottom; y += scale ? 7 : 1)
        for (int x = l.picture.left; x < l.picture.right; x += scale ? 7 : 1) {
            // The source pixel the picture shows here (for the scaled case, the
            // nearest pixel rule of the stretch).
            const int sx =
                l.source.left + int((x - l.picture.left) * int64_t(l.source.right - l.source.left) /
                                    (l.picture.right - l.picture.left));
            const int sy =
                l.source.top + int((y - l.picture.top) * int64_t(l.source.bottom - l.source.top) /
                                   (l.picture.bottom - l.picture.top));
            // Scaled, only the middle of each tile is certain.
            const int inTileX = (kCapture.left + sx) % kTile, inTileY = (kCapture.top + sy) % kTile;
            if (scale &&
                (inTileX < 4 || inTileX >= kTile - 4 || inTileY < 4 || inTileY >= kTile - 4))
                continue;
            // The capture's memory rows keep the image's orientation on screen.
            const int row = topDown ? kCapture.top + sy : kCapture.bottom - 1 - sy;
            const uint32_t want = ImageColour(image, uint32_t(kCapture.left + sx), uint32_t(row));
            const uint32_t got = screen[size_t(y) * screenW + x];
            for (int shift = 0; shift < 24; shift += 8)
                if (std::abs(int(want >> shift & 255) - int(got >> shift & 255)) > tolerance) {
                    if (wrong++ == 0)
                        ADD_FAILURE() << "first difference at " << x << "," << y << ": want "
                                      << std::hex << want << " got " << got;
                    break;
                }
        }
    EXPECT_EQ(wrong, 0);
    // Black borders around the picture.
    for (int i = 0; i < l.borderCount; ++i) {
        const Rect& b = l.borders[i];
        if (b.IsEmpty())
            continue;
        EXPECT_EQ(screen[size_t(b.top + (b.bottom - b.top) / 2) * screenW + b.left +
                         (b.right - b.left) / 2],
                  0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, PresenterTest,
                         ::testing::Values(std::make_tuple(uint16_t(32), true, false),
                                           std::make_tuple(uint16_t(24), false, false),
                                           std::make_tuple(uint16_t(24), true, false),
                                           std::make_tuple(uint16_t(16), true, false),
                                           std::make_tuple(uint16_t(32), true, true)));

}  // namespace
