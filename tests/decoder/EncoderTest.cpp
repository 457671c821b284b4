// Frames encoded and played back give every byte of the capture rectangle back.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "FrameUpdateBuilder.h"
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

// A short session on a 157 x 120 screen: noise, a scrolled area, a moved
// block, a sideways move, scattered pixels, a cursor click, a new capture
// rectangle, a new format and a picture that changes everywhere.
class Session {
  public:
    Session(uint16_t bitCount, bool topDown) : random_(bitCount * 2 + topDown) {
        Frame f;
        f.info = BitmapInfo(157, topDown ? -120 : 120, bitCount);
        EXPECT_TRUE(LayoutOf(f.info.data(), layout_));
        f.pixels.resize(layout_.imageSize);
        for (uint8_t& b : f.pixels)
            b = uint8_t(random_());
        f.capture = {10, 8, 150, 110};
        f.cursor = {20, 30};
        f.left = f.right = 0;
        frames.push_back(f);
        frames.push_back(f);  // nothing changed
        Next().MoveBlock({20, 25, 120, 90}, 0, -5);
        Noise({20, 85, 120, 90});
        Next().MoveBlock({40, 30, 80, 60}, 7, 4);
        Next().MoveBlock({12, 10, 60, 40}, -9, 0);
        Next();
        for (int i = 0; i < 30; ++i)
            Noise(Rect{int(random_() % 150), int(random_() % 110), 0, 0}, 1);
        Next().frame().cursor = {140, 100};
        frame().left = 1;
        Next().frame().capture = {0, 0, 157, 120};
        Noise({0, 0, 157, 3});
        Next().frame().info = BitmapInfo(157, topDown ? -120 : 120, bitCount == 32 ? 24 : 32);
        EXPECT_TRUE(LayoutOf(frame().info.data(), layout_));
        frame().pixels.resize(layout_.imageSize);
        Noise({0, 0, 157, 120});
        Next();
        Noise({0, 0, 157, 120});
    }
    std::vector<Frame> frames;

  private:
    Frame& frame() { return frames.back(); }
    Session& Next() {
        frames.push_back(frames.back());
        return *this;
    }
    uint8_t* At(int x, int y) {
        return frame().pixels.data() + size_t(y) * layout_.stride +
               size_t(x) * layout_.bytesPerPixel;
    }
    void Noise(Rect r, int size = 0) {
        if (size)
            r = {r.left, r.top, r.left + size, r.top + size};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                for (uint32_t b = 0; b < layout_.bytesPerPixel; ++b)
                    At(x, y)[b] = uint8_t(random_());
    }
    Session& MoveBlock(const Rect& from, int dx, int dy) {
        const Bytes before = frame().pixels;
        const size_t bytes = size_t(from.right - from.left) * layout_.bytesPerPixel;
        for (int y = from.top; y < from.bottom; ++y)
            std::memcpy(At(from.left + dx, y + dy),
                        before.data() + size_t(y) * layout_.stride +
                            size_t(from.left) * layout_.bytesPerPixel,
                        bytes);
        return *this;
    }
    std::mt19937 random_;
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

// The command types of a FrameUpdate, in order.
std::vector<uint16_t> CommandTypes(const Bytes& u) {
    std::vector<uint16_t> types;
    uint32_t at = 4;
    while (at < vqd::ReadU32(u.data())) {
        const uint16_t type = vqd::ReadU16(&u[at + 4]);
        types.push_back(type);
        at += type == vqd::kImageFormat ? vqd::kImageFormatCommandSize : vqd::ReadU32(&u[at]);
    }
    return types;
}

class EncoderRoundTrip : public ::testing::TestWithParam<std::tuple<uint16_t, bool>> {};

TEST_P(EncoderRoundTrip, EveryFrameComesBackByteForByte) {
    const Session session(std::get<0>(GetParam()), std::get<1>(GetParam()));
    vqd::FrameEncoder encoder;
    FrameImage image;
    RecordingSink sink;
    Bytes u;
    for (size_t i = 0; i < session.frames.size(); ++i) {
        const Frame& f = session.frames[i];
        ASSERT_TRUE(encoder.Encode(f.View(), u)) << "frame " << i;
        if (i == 1) {
            EXPECT_TRUE(u.empty());
        }
        if (u.empty())
            continue;
        ASSERT_TRUE(vqd::ApplyFrameUpdate(u.data(), uint32_t(u.size()), image, sink));
        EXPECT_TRUE(SameInside(image, f)) << "frame " << i;
        EXPECT_EQ(sink.cursor, f.cursor);
        EXPECT_EQ(sink.left, f.left);
        EXPECT_EQ(sink.capture, f.capture);
    }
    image.Clear();
}

TEST_P(EncoderRoundTrip, ARecordingPlaysBackEveryFrame) {
    const Session session(std::get<0>(GetParam()), std::get<1>(GetParam()));
    const std::string path = TempPath("roundtrip.vqd");
    std::vector<size_t> recorded;  // the frame each record ends with
    {
        vqd::RecordingEncoder writer;
        vqd::RecordingInfo info;
        info.title = "Round trip";
        ASSERT_TRUE(writer.Create(path.c_str(), info));
        for (size_t i = 0; i < session.frames.size(); ++i) {
            const uint32_t before = writer.RecordCount();
            ASSERT_TRUE(writer.AddFrame(session.frames[i].View(), uint32_t(i * 100)));
            if (writer.RecordCount() != before)
                recorded.push_back(i);
        }
        ASSERT_TRUE(writer.Finish());
    }
    ASSERT_EQ(recorded.size(), session.frames.size() - 1);

    RecordingFile r;
    ASSERT_TRUE(r.Initialize());
    ASSERT_TRUE(r.Open(path.c_str(), LockedFile::kRead));
    char title[60];
    r.GetTitle(title);
    EXPECT_STREQ(title, "Round trip");
    EXPECT_EQ(r.GetFrameRate(), 10u);
    EXPECT_EQ(r.GetDurationSeconds() * 1000 + r.GetDurationMilliseconds(),
              (session.frames.size() - 1) * 100);
    r.SetQuickPlay(1);
    r.Restart();
    for (size_t i : recorded) {
        ASSERT_TRUE(r.PlayStep()) << "frame " << i;
        EXPECT_TRUE(SameInside(r.GetFrameImage(), session.frames[i])) << "frame " << i;
        EXPECT_EQ(r.GetCursorPosition(), session.frames[i].cursor);
    }
    EXPECT_FALSE(r.PlayStep());
    r.Close();
    r.Release();
}

INSTANTIATE_TEST_SUITE_P(AllDepthsBothRowOrders, EncoderRoundTrip,
                         ::testing::Combine(::testing::Values(8, 16, 24, 32), ::testing::Bool()));

TEST(FrameEncoderTest, UpdatesFollowTheRecordersOrder) {
    const Session session(16, true);
    vqd::FrameEncoder encoder;
    Bytes u;
    std::vector<std::vector<uint16_t>> types;
    for (const Frame& f : session.frames) {
        ASSERT_TRUE(encoder.Encode(f.View(), u));
        types.push_back(u.empty() ? std::vector<uint16_t>{} : CommandTypes(u));
    }
    EXPECT_EQ(types[0], (std::vector<uint16_t>{1, 2, 3, 4}));
    EXPECT_TRUE(types[1].empty());
    EXPECT_EQ(types[2], (std::vector<uint16_t>{5, 4}));  // the scrolled area moves
    EXPECT_EQ(types[3], (std::vector<uint16_t>{5}));     // the copied block is all moves
    EXPECT_EQ(types[4][0], 5);                           // the sideways move
    EXPECT_EQ(types[6], (std::vector<uint16_t>{3}));     // the click
    EXPECT_EQ(types[7][0], 2);
    EXPECT_EQ(types[8][0], 1);
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
