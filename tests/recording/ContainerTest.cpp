#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ReaderTest.h"
#include "recording/RecordingFile.h"

namespace {

class ContainerTest : public ReaderTest {
  protected:
    bool OpenBytes(const Bytes& bytes, const char* name = "rec.vqd") {
        path = TempPath(name);
        WriteFile(path, bytes);
        return r.Open(path.c_str(), LockedFile::kRead);
    }
    // Opens and starts playing with quick play: one record per step.
    void Play(const Bytes& bytes) {
        ASSERT_TRUE(OpenBytes(bytes));
        r.SetQuickPlay(1);
        r.Restart();
    }
    const std::vector<TestRecord> three = {
        {199, Payload(17, 1)}, {40, Payload(5, 2)}, {0, Payload(9, 3)}};
    std::string path;
};

TEST_F(ContainerTest, OpensAPlainRecording) {
    ASSERT_TRUE(OpenBytes(MakeRecording(three, 10, 50, "Demo")));
    EXPECT_TRUE(r.IsOpen());
    EXPECT_EQ(r.GetDataStart(), 344u);
    EXPECT_EQ(r.GetDataEnd(), 344u + 3 * 8 + 17 + 5 + 9);
    EXPECT_EQ(r.GetFrameRate(), 10u);
    EXPECT_EQ(r.GetSecondaryRate(), 50u);
    EXPECT_EQ(r.GetDurationSeconds(), 27u);
    EXPECT_TRUE(r.HasDuration());
    char title[60];
    r.GetTitle(title);
    EXPECT_STREQ(title, "Demo");
    EXPECT_FALSE(r.IsPlaying());
}

TEST_F(ContainerTest, RejectsWhatIsNotARecording) {
    Bytes good = MakeRecording(three);
    Bytes wrongVersion = good;
    wrongVersion[4] = 2;  // 0x00010002
    Bytes wrongMagic = good;
    wrongMagic[0] = 'W';
    EXPECT_FALSE(OpenBytes(wrongVersion));
    EXPECT_FALSE(OpenBytes(wrongMagic));
    EXPECT_FALSE(OpenBytes(Bytes(good.begin(), good.begin() + 3)));    // short prefix
    EXPECT_FALSE(OpenBytes(Bytes(good.begin(), good.begin() + 343)));  // header cut short
    EXPECT_FALSE(OpenBytes(Bytes()));
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(r.GetDataEnd(), 0u);
}

TEST_F(ContainerTest, DeliversRecordsInOrderAndRepeats) {
    Play(MakeRecording(three));
    r.SetAutoRepeat(1);
    EXPECT_EQ(Deliver(r), three[0].payload);
    EXPECT_EQ(Deliver(r), three[1].payload);
    EXPECT_EQ(Deliver(r), three[2].payload);
    // After the last record the size query still answers its length.
    EXPECT_EQ(r.ReadRecord(nullptr, 0), 9u);
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::End);
    EXPECT_TRUE(Deliver(r).empty());  // the step that finds the end restarts
    EXPECT_TRUE(r.IsPlaying());
    EXPECT_EQ(Deliver(r), three[0].payload);
}

TEST_F(ContainerTest, StopsAtTheEndWithoutAutoRepeat) {
    Play(MakeRecording({{0, Payload(4, 1)}}));
    EXPECT_EQ(Deliver(r).size(), 4u);
    EXPECT_TRUE(Deliver(r).empty());
    EXPECT_FALSE(r.IsPlaying());
    EXPECT_TRUE(Deliver(r).empty());
}

TEST_F(ContainerTest, AnEmptyRecordingNeverPlaysNorRepeats) {
    Play(MakeRecording({}));
    r.SetAutoRepeat(1);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Deliver(r).empty());
    EXPECT_EQ(r.GetReadPosition(), 344u);
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::End);
}

TEST_F(ContainerTest, ARecordCutShortIsNeverConsumed) {
    Bytes bytes = MakeRecording({{0, Payload(4, 1)}, {0, Payload(100, 2)}});
    bytes.resize(bytes.size() - 1);
    Play(bytes);
    r.SetAutoRepeat(1);
    EXPECT_EQ(Deliver(r).size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Deliver(r).empty());
    EXPECT_EQ(r.ReadRecord(nullptr, 0), 0u);  // nothing is allocated for it
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::Truncated);
    EXPECT_TRUE(r.IsPlaying());  // no restart either
}

TEST_F(ContainerTest, ARecordHeaderCutShortEndsTheStream) {
    Bytes bytes = MakeRecording({{0, Payload(4, 1)}});
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    Play(bytes);
    EXPECT_EQ(Deliver(r).size(), 4u);
    EXPECT_TRUE(Deliver(r).empty());
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::Truncated);
}

TEST_F(ContainerTest, AZeroLengthRecordStopsPlayback) {
    Play(MakeRecording({{0, Payload(4, 1)}, {0, {}}, {0, Payload(4, 2)}}));
    EXPECT_EQ(Deliver(r).size(), 4u);
    EXPECT_TRUE(Deliver(r).empty());
    EXPECT_TRUE(Deliver(r).empty());
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::ZeroLength);
}

TEST_F(ContainerTest, ALengthBeyondTheFileIsCutShort) {
    Bytes bytes = MakeRecording({{0, Payload(4, 1)}});
    bytes[344 + 4] = 0xFF;
    bytes[344 + 7] = 0xFF;  // length 0xFF0000FF
    Play(bytes);
    EXPECT_EQ(r.ReadRecord(nullptr, 0), 0u);
    EXPECT_TRUE(Deliver(r).empty());
    EXPECT_EQ(r.GetStreamStop(), RecordingFile::StreamStop::Truncated);
}

TEST_F(ContainerTest, TextFieldsAreBoundedBothWays) {
    const std::string seventy(70, 't');
    r.SetTitle(seventy.c_str());
    char title[60];
    r.GetTitle(title);
    EXPECT_EQ(std::string(title), seventy.substr(0, 59));
    r.SetTitle(nullptr);
    r.GetTitle(title);
    EXPECT_EQ(std::strlen(title), 59u);
    r.SetDescription(std::string(250, 'd').c_str());
    char description[200];
    r.GetDescription(description);
    EXPECT_EQ(std::strlen(description), 199u);

    // A file whose texts lack their NUL: the getters stop inside the field.
    Bytes bytes = MakeRecording({});
    std::memset(&bytes[8 + 16], 'x', 60 + 60 + 200);
    ASSERT_TRUE(OpenBytes(bytes));
    char author[61];
    author[60] = 'z';
    r.GetAuthor(author);
    EXPECT_EQ(std::strlen(author), 59u);
    EXPECT_EQ(author[60], 'z');
}

TEST_F(ContainerTest, QualityAndSizeLimits) {
    EXPECT_EQ(r.GetQuality(), 5);
    r.SetQuality(12);
    EXPECT_EQ(r.GetQuality(), 9);
    r.SetQuality(0);
    EXPECT_EQ(r.GetQuality(), 1);
    r.SetMaxFileSize(0xFFFFFFFF);
    EXPECT_EQ(r.GetMaxFileSize(), 0x7F5FFFFFu);
    EXPECT_STREQ(r.GetTypeName(), "VQD file");
    EXPECT_STREQ(r.GetExtension(), "vqd");
    EXPECT_FALSE(r.OpenInPlayer(nullptr));
}

TEST_F(ContainerTest, LoadHeaderFromKeepsTheHeaderOnFailure) {
    r.SetTitle("kept");
    const std::string junk = TempPath("junk.bin");
    WriteFile(junk, Payload(500, 4));
    EXPECT_FALSE(r.LoadHeaderFrom(junk.c_str()));
    char title[60];
    r.GetTitle(title);
    EXPECT_STREQ(title, "kept");

    const std::string good = TempPath("good.vqd");
    WriteFile(good, MakeRecording(three, 7, 3, "Loaded"));
    EXPECT_TRUE(r.LoadHeaderFrom(good.c_str()));
    r.GetTitle(title);
    EXPECT_STREQ(title, "Loaded");
    EXPECT_EQ(r.GetFrameRate(), 7u);
    EXPECT_FALSE(r.IsOpen());
}

}  // namespace
