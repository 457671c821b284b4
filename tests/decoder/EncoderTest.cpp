// Random frames encoded into a recording and played back give every byte of
// the capture rectangle back, with the cursor, buttons and capture rectangle,
// and list every changed pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "FrameUpdateBuilder.h"
#include "ReaderTest.h"
#include "recording/ContainerFormat.h"
#include "recording/FrameEncoder.h"
#include "recording/FrameUpdateFormat.h"
#include "recording/RecordingEncoder.h"

namespace {

struct Frame {
    Bytes info, pixels;
    Rect capture;
    Point cursor;
    uint8_t left, right;
    vqd::EncoderFrame View() const {
        return {info.data(), pixels.data(), capture, cursor, left, right};
    }
};

// Each frame changes the one before by noise in an area, a block moved by up
// to 10 pixels each way, the cursor and buttons, the capture rectangle, now
// and then the whole format, or not at all.
class RandomSession {
  public:
    RandomSession(uint16_t bitCount, bool topDown, uint32_t seed)
        : topDown_(topDown), random_(seed) {
        NewFormat(bitCount);
        frames.push_back(f_);
        for (int i = 0; i < 40; ++i) {
            switch (Below(8)) {
                case 0:
                    Noise(Area());
                    break;
                case 1:
                    f_.cursor = {Below(int(layout_.width)), Below(int(layout_.height))};
                    f_.left = uint8_t(Below(2));
                    f_.right = uint8_t(Below(2));
                    break;
                case 2:
                    f_.capture = CaptureArea();
                    break;
                case 3:
                    if (Below(2) == 0)
                        NewFormat(uint16_t(8 * (1 + Below(4))));
                    break;
                default:
                    MoveBlock(Below(21) - 10, Below(21) - 10);
            }
            frames.push_back(f_);
        }
    }
    std::vector<Frame> frames;

  private:
    int Below(int n) { return int(random_() % uint32_t(n)); }
    uint8_t* At(int x, int y) {
        return f_.pixels.data() + size_t(y) * layout_.stride + size_t(x) * layout_.bytesPerPixel;
    }
    Rect Area() {
        const int w = int(layout_.width), h = int(layout_.height);
        const int l = Below(w), t = Below(h);
        return {l, t, l + 1 + Below(w - l), t + 1 + Below(h - t)};
    }
    Rect CaptureArea() {
        const int w = int(layout_.width), h = int(layout_.height);
        return {Below(w / 4), Below(h / 4), w - Below(w / 4), h - Below(h / 4)};
    }
    void Noise(const Rect& r) {
        for (int y = r.top; y < r.bottom; ++y)
            for (uint8_t* p = At(r.left, y); p < At(r.right, y); ++p)
                *p = uint8_t(random_());
    }
    void NewFormat(uint16_t bitCount) {
        f_.info = BitmapInfo(40 + Below(100), (topDown_ ? -1 : 1) * (30 + Below(70)), bitCount);
        ASSERT_TRUE(LayoutOf(f_.info.data(), layout_));
        f_.pixels.assign(layout_.imageSize, 0);
        Noise({0, 0, int(layout_.width), int(layout_.height)});
        f_.capture = CaptureArea();
    }
    void MoveBlock(int dx, int dy) {
        const int w = 16 + Below(int(layout_.width) - std::abs(dx) - 15);
        const int h = 8 + Below(int(layout_.height) - std::abs(dy) - 7);
        const int l = std::max(0, -dx) + Below(int(layout_.width) - std::abs(dx) - w + 1);
        const int t = std::max(0, -dy) + Below(int(layout_.height) - std::abs(dy) - h + 1);
        const Bytes before = f_.pixels;
        for (int y = t; y < t + h; ++y)
            std::memcpy(At(l + dx, y + dy), before.data() + (At(l, y) - f_.pixels.data()),
                        size_t(w) * layout_.bytesPerPixel);
    }

    bool topDown_;
    std::mt19937 random_;
    Frame f_ = {};
    ImageLayout layout_ = {};
};

// Whether the picture holds the frame inside the frame's capture rectangle.
::testing::AssertionResult SameInside(const FrameImage& image, const Frame& f) {
    ImageLayout layout;
    LayoutOf(f.info.data(), layout);
    if (!image.HasPicture() || image.stride != layout.stride || image.height != layout.height)
        return ::testing::AssertionFailure() << "another geometry";
    const size_t begin = size_t(f.capture.left) * layout.bytesPerPixel;
    const size_t length = size_t(f.capture.right - f.capture.left) * layout.bytesPerPixel;
    for (int y = f.capture.top; y < f.capture.bottom; ++y) {
        const size_t row = size_t(y) * layout.stride + begin;
        if (std::memcmp(image.currentImage + row, f.pixels.data() + row, length) != 0)
            return ::testing::AssertionFailure() << "row " << y << " differs";
    }
    return ::testing::AssertionSuccess();
}

// Every pixel of the capture rectangle that differs from before lies in a
// listed rectangle, and every listed rectangle lies in the capture rectangle.
::testing::AssertionResult ChangesAreListed(const RecordingFile& r, const Bytes& before) {
    const FrameImage& image = r.GetFrameImage();
    const Rect& c = r.GetCaptureRect();
    std::vector<bool> listed(size_t(image.width) * image.height);
    for (const Rect& d : r.GetDirtyRects()) {
        if (d.left < c.left || d.top < c.top || d.right > c.right || d.bottom > c.bottom)
            return ::testing::AssertionFailure() << "a rectangle outside the capture rectangle";
        for (int y = d.top; y < d.bottom; ++y)
            for (int x = d.left; x < d.right; ++x)
                listed[size_t(y) * image.width + size_t(x)] = true;
    }
    for (int y = c.top; y < c.bottom; ++y)
        for (int x = c.left; x < c.right; ++x) {
            const size_t at = size_t(y) * image.stride + size_t(x) * image.bytesPerPixel;
            if (!listed[size_t(y) * image.width + size_t(x)] &&
                (before.size() != image.imageSize ||
                 std::memcmp(before.data() + at, image.currentImage + at, image.bytesPerPixel)))
                return ::testing::AssertionFailure() << "(" << x << "," << y << ") is not listed";
        }
    return ::testing::AssertionSuccess();
}

class EncoderRoundTrip : public ReaderTest,
                         public ::testing::WithParamInterface<std::tuple<uint16_t, bool>> {};

TEST_P(EncoderRoundTrip, ARecordingPlaysBackEveryFrame) {
    const auto [bitCount, topDown] = GetParam();
    const std::vector<Frame> frames = RandomSession(bitCount, topDown, bitCount + topDown).frames;
    const std::string path = TempPath("roundtrip.vqd");
    std::vector<size_t> recorded;  // the frame each record ends with
    vqd::RecordingEncoder writer;
    vqd::RecordingInfo info;
    info.title = "Round trip";
    ASSERT_TRUE(writer.Create(path.c_str(), info));
    for (size_t i = 0; i < frames.size(); ++i) {
        const uint32_t before = writer.RecordCount();
        ASSERT_TRUE(writer.AddFrame(frames[i].View(), uint32_t(i * 100)));
        if (writer.RecordCount() != before)
            recorded.push_back(i);
    }
    ASSERT_TRUE(writer.Finish());

    Play(ReadFile(path));
    EXPECT_EQ(TitleOf(r), "Round trip");
    EXPECT_EQ(r.GetDurationSeconds() * 1000 + r.GetDurationMilliseconds(), recorded.back() * 100);
    Bytes before;
    for (size_t i : recorded) {
        const Frame& f = frames[i];
        ASSERT_TRUE(r.PlayStep()) << "frame " << i;
        EXPECT_TRUE(ChangesAreListed(r, before)) << "frame " << i;
        const FrameImage& image = r.GetFrameImage();
        before.assign(image.currentImage, image.currentImage + image.imageSize);
        EXPECT_TRUE(SameInside(r.GetFrameImage(), f)) << "frame " << i;
        EXPECT_EQ(r.GetCursorPosition(), f.cursor) << "frame " << i;
        EXPECT_EQ(r.GetLeftButtonDown() * 2 + r.GetRightButtonDown(), f.left * 2 + f.right);
        EXPECT_EQ(r.GetCaptureRect(), f.capture) << "frame " << i;
    }
    EXPECT_FALSE(r.PlayStep());
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::End);
}

INSTANTIATE_TEST_SUITE_P(AllDepthsBothRowOrders, EncoderRoundTrip,
                         ::testing::Combine(::testing::Values(8, 16, 24, 32), ::testing::Bool()));

// The command types of a FrameUpdate, in order.
std::vector<uint16_t> CommandTypes(const Bytes& u) {
    std::vector<uint16_t> types;
    for (uint32_t at = 4; at < vqd::ReadU32(u.data());) {
        types.push_back(vqd::ReadU16(&u[at + 4]));
        at +=
            types.back() == vqd::kImageFormat ? vqd::kImageFormatCommandSize : vqd::ReadU32(&u[at]);
    }
    return types;
}

TEST(FrameEncoderTest, ScrolledContentIsSentAsMovesAndNothingNewAsNothing) {
    std::mt19937 random(5);
    Frame f{BitmapInfo(64, -48, 16), Bytes(64 * 48 * 2), {0, 0, 64, 48}, {1, 1}, 0, 0};
    for (uint8_t& b : f.pixels)
        b = uint8_t(random());
    vqd::FrameEncoder encoder;
    Bytes u;
    ASSERT_TRUE(encoder.Encode(f.View(), u));
    EXPECT_EQ(CommandTypes(u), (std::vector<uint16_t>{1, 2, 3, 4}));
    ASSERT_TRUE(encoder.Encode(f.View(), u));
    EXPECT_TRUE(u.empty());
    std::memmove(f.pixels.data(), f.pixels.data() + 5 * 128, 43 * 128);  // up 5 rows
    ASSERT_TRUE(encoder.Encode(f.View(), u));
    EXPECT_EQ(CommandTypes(u), (std::vector<uint16_t>{5}));
    f.cursor = {2, 2};
    f.left = 1;
    f.pixels[0] ^= 1;
    ASSERT_TRUE(encoder.Encode(f.View(), u));
    EXPECT_EQ(CommandTypes(u), (std::vector<uint16_t>{3, 4}));
}

TEST(FrameEncoderTest, RefusesWhatAPlayerCannotShow) {
    vqd::FrameEncoder encoder;
    Frame f{BitmapInfo(8, 8, 4), Bytes(32), {0, 0, 8, 8}, {0, 0}, 0, 0};
    Bytes u;
    EXPECT_FALSE(encoder.Encode(f.View(), u));
    f.info = BitmapInfo(8, 8, 8);
    f.pixels.resize(64);
    f.capture = {0, 0, 9, 8};
    EXPECT_FALSE(encoder.Encode(f.View(), u));
    f.capture = {0, 0, 8, 8};
    EXPECT_TRUE(encoder.Encode(f.View(), u));
}

}  // namespace
