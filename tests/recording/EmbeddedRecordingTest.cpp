#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "TestFiles.h"
#include "recording/ExeRecordingFile.h"
#include "recording/SystemServices.h"

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

TEST_F(EmbeddedRecordingTest, FindsTheAppendedRecordingAndNeverReadsTheTrailer) {
    Bytes recording = MakeRecording(records, 10, 50);
    recording.insert(recording.end(), {1, 2, 3, 4, 5});  // a record header cut short
    const std::string path = Store(Embed(host, recording), "saver.exe");
    EXPECT_TRUE(IsEmbeddedRecording(path.c_str()));
    ASSERT_TRUE(e.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(e.GetEmbeddedStart(), 409600u);
    EXPECT_EQ(e.GetDataStart(), 409944u);
    EXPECT_EQ(e.GetDataEnd(), 409600u + recording.size());
    e.SetQuickPlay(1);
    e.Restart();
    EXPECT_EQ(Deliver(e), records[0].payload);
    EXPECT_EQ(Deliver(e), records[1].payload);
    EXPECT_TRUE(Deliver(e).empty());
    EXPECT_EQ(e.GetStreamStop(), RecordingFile::StreamStop::Truncated);
    e.Close();

    ExeRecordingFile header;
    ASSERT_TRUE(header.Initialize());
    ASSERT_TRUE(header.LoadHeaderFrom(path.c_str()));
    EXPECT_EQ(header.GetFrameRate(), 10u);
    EXPECT_EQ(header.GetDurationSeconds(), 27u);
}

TEST_F(EmbeddedRecordingTest, WhatIsNotAnExecutableWithARecordingIsRefused) {
    Bytes zeroLength = Embed(host, MakeRecording(records)), tooLong = zeroLength;
    std::fill(zeroLength.end() - 8, zeroLength.end() - 4, 0);
    std::fill(tooLong.end() - 8, tooLong.end() - 4, 0xFF);  // lands on offset 0: the host's bytes
    Bytes prefixOnly = MakeRecording({});
    prefixOnly.resize(200);
    const auto refused = [&](const Bytes& bytes, bool trailer) {
        const std::string path = Store(bytes, "refused.exe");
        EXPECT_EQ(IsEmbeddedRecording(path.c_str()), trailer) << bytes.size();
        EXPECT_FALSE(e.Open(path.c_str(), LockedFile::kRead)) << bytes.size();
    };
    for (const Bytes& bytes : {MakeRecording(records), host, Bytes{'V', 'Q'}})
        refused(bytes, false);
    // Ending in the trailer's magic is not enough.
    for (const Bytes& bytes :
         {zeroLength, tooLong, Bytes{'V', 'Q', 'D', ' '}, Embed(host, prefixOnly)})
        refused(bytes, true);
    const std::string missing = TempPath("missing.exe");
    EXPECT_FALSE(IsEmbeddedRecording(missing.c_str()));
    EXPECT_FALSE(e.Open(missing.c_str(), LockedFile::kRead));
    EXPECT_FALSE(e.IsOpen());
}

TEST_F(EmbeddedRecordingTest, ALengthBeyondTheFileFindsARecordingAtTheStart) {
    Bytes bytes = Embed({}, MakeRecording(records));
    std::fill(bytes.end() - 8, bytes.end() - 4, 0xFF);
    ASSERT_TRUE(e.Open(Store(bytes, "atstart.exe").c_str(), LockedFile::kRead));
    EXPECT_EQ(e.GetEmbeddedStart(), 0u);
    EXPECT_EQ(e.GetDataStart(), 344u);
}

#ifndef _WIN32
// A stand-in program that notes its first argument in a file beside itself.
std::string StandInProgram(const std::string& path) {
    std::ofstream(path) << "#!/bin/sh\necho \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.ran\"\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    std::filesystem::remove(path + ".ran");
    return path;
}

std::string WhatItNoted(const std::string& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path + ".ran"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const Bytes noted = ReadFile(path + ".ran");
    return std::string(noted.begin(), noted.end());
}

TEST(OpenInPlayer, APlainRecordingGoesToThePlayerBesideTheProgramAnExecutableRunsItself) {
    RecordingFile plain;
    ExeRecordingFile executable;
    EXPECT_FALSE(plain.OpenInPlayer(nullptr));
    EXPECT_FALSE(executable.OpenInPlayer(nullptr));
    const std::string self = sys::ProgramPath();
    const std::string player = StandInProgram(self.substr(0, self.rfind('/') + 1) + "reelora.exe");
    ASSERT_TRUE(plain.OpenInPlayer("/some/recording.vqd"));
    EXPECT_EQ(WhatItNoted(player), " \"/some/recording.vqd\"\n");
    const std::string program = StandInProgram(TempPath("carrier.exe"));
    ASSERT_TRUE(executable.OpenInPlayer(program.c_str()));
    EXPECT_EQ(WhatItNoted(program), "\n");
    std::filesystem::remove(player);
}
#endif

}  // namespace
