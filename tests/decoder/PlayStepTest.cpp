// Playing records. Random frames encoded into a recording and played back give
// every byte of the capture rectangle back, with the cursor, buttons and
// capture rectangle, and list every changed pixel; records the encoder never
// makes fail or grow the buffers as they should.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "FrameUpdateBuilder.h"
#include "ReaderTest.h"
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
            const int w = int(layout_.width), h = int(layout_.height), kind = Below(8);
            if (kind == 0) {
                const int l = Below(w), t = Below(h);
                Noise({l, t, l + 1 + Below(w - l), t + 1 + Below(h - t)});
            } else if (kind == 1) {
                f_.cursor = {Below(w), Below(h)};
                f_.left = uint8_t(Below(2));
                f_.right = uint8_t(Below(2));
            } else if (kind == 2) {
                f_.capture = CaptureArea();
            } else if (kind == 3 && Below(2) == 0) {
                NewFormat(uint16_t(8 * (1 + Below(4))));
            } else if (kind > 3) {
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

// The picture holds the frame inside the capture rectangle; every pixel there
// that differs from before lies in a listed rectangle, and every listed
// rectangle lies in the capture rectangle.
::testing::AssertionResult Shows(const RecordingFile& r, const Frame& f, const Bytes& before) {
    const FrameImage& image = r.GetFrameImage();
    const Rect& c = f.capture;
    ImageLayout layout;
    LayoutOf(f.info.data(), layout);
    if (!image.HasPicture() || image.stride != layout.stride || image.height != layout.height)
        return ::testing::AssertionFailure() << "another geometry";
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
            if (std::memcmp(image.currentImage + at, f.pixels.data() + at, image.bytesPerPixel))
                return ::testing::AssertionFailure() << "(" << x << "," << y << ") differs";
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
    EXPECT_EQ(r.GetDurationSeconds() * 1000 + r.GetDurationMilliseconds(),
              (frames.size() - 1) * 100)
        << "the time of the last frame";
    Bytes before;
    for (size_t i : recorded) {
        const Frame& f = frames[i];
        ASSERT_TRUE(r.PlayStep()) << "frame " << i;
        EXPECT_TRUE(Shows(r, f, before)) << "frame " << i;
        const FrameImage& image = r.GetFrameImage();
        before.assign(image.currentImage, image.currentImage + image.imageSize);
        EXPECT_EQ(r.GetCursorPosition(), f.cursor) << "frame " << i;
        EXPECT_EQ(r.GetLeftButtonDown() * 2 + r.GetRightButtonDown(), f.left * 2 + f.right);
        EXPECT_EQ(r.GetCaptureRect(), f.capture) << "frame " << i;
    }
    if (recorded.back() != frames.size() - 1) {  // unchanged last frames: a record of their time
        ASSERT_TRUE(r.PlayStep());
        EXPECT_TRUE(r.GetDirtyRects().empty());
        EXPECT_EQ(r.GetCursorPosition(), frames[recorded.back()].cursor);
    }
    EXPECT_FALSE(r.PlayStep());
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::End);
}

INSTANTIATE_TEST_SUITE_P(AllDepthsBothRowOrders, EncoderRoundTrip,
                         ::testing::Combine(::testing::Values(8, 16, 24, 32), ::testing::Bool()));

using PlayStepTest = ReaderTest;

TEST_F(PlayStepTest, AFailedRecordListsNothingKeepsWhatItAppliedAndIsConsumed) {
    const Bytes cursor = Deflate(FrameUpdateBuilder().Cursor(1, 2, 0, 0).Build());
    Bytes cut = cursor, trailing = cursor;
    cut.resize(cut.size() - 5);
    trailing.insert(trailing.end(), {1, 2, 3});
    const Bytes format =
        FrameUpdateBuilder().ImageFormat(16, 16, 8).CaptureRect(0, 0, 16, 16).Build();
    const Bytes refused =
        FrameUpdateBuilder().PixelRuns({{0, 0, 0, {9}}}).ImageFormat(16, 16, 1).Build();
    Play(MakeRecording({{0, Deflate(format)},
                        {0, Deflate(refused)},
                        {0, Payload(40, 3)},
                        {0, Deflate({})},
                        {0, cut},
                        {0, trailing}}));
    ASSERT_TRUE(r.PlayStep());
    EXPECT_FALSE(r.PlayStep());  // a refused format
    EXPECT_TRUE(r.GetDirtyRects().empty());
    EXPECT_EQ(r.GetFrameImage().currentImage[0], 9);
    EXPECT_EQ(r.GetFrameImage().width, 16u);
    EXPECT_FALSE(r.PlayStep());  // not a zlib stream
    EXPECT_FALSE(r.PlayStep());  // an empty one
    EXPECT_FALSE(r.PlayStep());  // the stream ends early
    EXPECT_TRUE(r.PlayStep());   // bytes after the stream's end do not matter
    EXPECT_EQ(r.GetCursorPosition(), (Point{1, 2}));
    EXPECT_FALSE(r.PlayStep());  // the end of the stream
}

// 256 KiB steps up to 16 MiB, then doubling up to the limit; an update beyond
// it fails without using more, and the next record plays.
TEST_F(PlayStepTest, TheInflatedBufferGrowsInStepsThenDoublesUpToTheLimit) {
    Play(RecordingOf({Bytes(1900000, 0), Bytes(17u << 20, 0),
                      Bytes(RecordingFile::kLargestFrameUpdate - 1, 0),
                      Bytes(RecordingFile::kLargestFrameUpdate + 1, 0),
                      FrameUpdateBuilder().Cursor(3, 3, 0, 0).Build()}));
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetInflated().capacity, 8u * RecordingFile::kInflateStep);
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetInflated().capacity, 2 * RecordingFile::kStepwiseInflateLimit);
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetInflated().capacity, RecordingFile::kLargestFrameUpdate);
    EXPECT_FALSE(r.PlayStep());
    EXPECT_LE(r.GetInflated().capacity, RecordingFile::kLargestFrameUpdate);
    EXPECT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetCursorPosition(), (Point{3, 3}));
}

}  // namespace
