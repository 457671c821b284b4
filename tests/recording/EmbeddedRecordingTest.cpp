#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "recording/ExeRecordingFile.h"

namespace {

class EmbeddedRecordingTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(e.Initialize()); }
    std::string Store(const Bytes& bytes, const char* name) {
        const std::string path = TempPath(name);
        WriteFile(path, bytes);
        return path;
    }
    const Bytes host = Payload(409600, 3);
    const std::vector<TestRecord> records = {{199, Payload(300, 1)}, {50, Payload(20, 2)}};
    ExeRecordingFile e;
};

TEST_F(EmbeddedRecordingTest, FindsTheAppendedRecording) {
    const Bytes recording = MakeRecording(records, 10, 50);
    const std::string path = Store(Embed(host, recording), "saver.exe");
    EXPECT_TRUE(IsEmbeddedRecording(path.c_str()));
    ASSERT_TRUE(e.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(e.GetEmbeddedStart(), 409600u);
    EXPECT_EQ(e.GetDataStart(), 409944u);
    EXPECT_EQ(e.GetDataEnd(), 409600u + recording.size());
    EXPECT_EQ(e.GetDurationMilliseconds(), 15u);
    e.SetQuickPlay(1);
    e.Restart();
    EXPECT_EQ(Deliver(e), records[0].payload);
    EXPECT_EQ(Deliver(e), records[1].payload);
    EXPECT_TRUE(Deliver(e).empty());  // the trailer is never record data
    EXPECT_EQ(e.GetStreamStop(), RecordingFile::StreamStop::End);
    e.Close();

    ExeRecordingFile header;
    ASSERT_TRUE(header.Initialize());
    ASSERT_TRUE(header.LoadHeaderFrom(path.c_str()));
    EXPECT_EQ(header.GetFrameRate(), 10u);
    EXPECT_EQ(header.GetDurationSeconds(), 27u);
    EXPECT_STREQ(e.GetTypeName(), "EXE file");
    EXPECT_STREQ(e.GetExtension(), "exe");
}

TEST_F(EmbeddedRecordingTest, PlainFilesAndBareExecutablesAreNotEmbedded) {
    const std::string plain = Store(MakeRecording(records), "plain.vqd");
    EXPECT_FALSE(IsEmbeddedRecording(plain.c_str()));
    EXPECT_FALSE(e.Open(plain.c_str(), LockedFile::kRead));
    const std::string bare = Store(host, "bare.exe");
    EXPECT_FALSE(IsEmbeddedRecording(bare.c_str()));
    EXPECT_FALSE(IsEmbeddedRecording(TempPath("missing.exe").c_str()));
    EXPECT_FALSE(IsEmbeddedRecording(Store({'V', 'Q'}, "tiny").c_str()));
}

TEST_F(EmbeddedRecordingTest, BadTrailersAreRefused) {
    Bytes zeroLength = Embed(host, MakeRecording(records));
    std::fill(zeroLength.end() - 8, zeroLength.end() - 4, 0);
    EXPECT_FALSE(e.Open(Store(zeroLength, "zero.exe").c_str(), LockedFile::kRead));

    Bytes tooLong = Embed(host, MakeRecording(records));
    std::fill(tooLong.end() - 8, tooLong.end() - 4, 0xFF);  // lands on offset 0: the host's bytes
    EXPECT_FALSE(e.Open(Store(tooLong, "long.exe").c_str(), LockedFile::kRead));

    const std::string magicOnly = Store({'V', 'Q', 'D', ' '}, "magic.exe");
    EXPECT_TRUE(IsEmbeddedRecording(magicOnly.c_str()));
    EXPECT_FALSE(e.Open(magicOnly.c_str(), LockedFile::kRead));

    Bytes prefixOnly = MakeRecording({});
    prefixOnly.resize(200);
    const Bytes headerCut = Embed(host, prefixOnly);
    EXPECT_FALSE(e.Open(Store(headerCut, "cut.exe").c_str(), LockedFile::kRead));
    EXPECT_FALSE(e.IsOpen());
}

TEST_F(EmbeddedRecordingTest, ALengthBeyondTheFileFindsARecordingAtTheStart) {
    Bytes bytes = Embed({}, MakeRecording(records));
    std::fill(bytes.end() - 8, bytes.end() - 4, 0xFF);
    ASSERT_TRUE(e.Open(Store(bytes, "atstart.exe").c_str(), LockedFile::kRead));
    EXPECT_EQ(e.GetEmbeddedStart(), 0u);
    EXPECT_EQ(e.GetDataStart(), 344u);
}

}  // namespace
