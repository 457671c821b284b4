// vqdtool's commands, run in-process on recordings made byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ContainerCommands.h"
#include "FrameUpdateBuilder.h"
#include "PictureCommands.h"

namespace {

struct Ran {
    int code;
    std::string out, err;
};

Ran Exec(int (*command)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Ran ran{command(int(args.size()), argv.data()), {}, {}};
    ran.out = testing::internal::GetCapturedStdout();
    ran.err = testing::internal::GetCapturedStderr();
    return ran;
}

Bytes Resized(Bytes bytes, size_t size, const Bytes& tail = {}) {
    bytes.resize(size);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

// A 4 x 2 top-down 32-bit picture with its capture rectangle, then a run of
// 4 bytes and a cursor with the left button down.
const Bytes small = RecordingOf(
    {FrameUpdateBuilder().ImageFormat(4, -2, 32).CaptureRect(0, 0, 4, 2).Build(),
     FrameUpdateBuilder().Cursor(3, 1, 1, 0).PixelRuns({{1, 1, 0, {9, 9, 9, 9}}}).Build()});

// Embedding and extracting give the bytes back; never over an input, never a
// half-made output; appending a recording to its copy doubles the records.
TEST(VqdTool, EmbedExtractAndAppend) {
    const std::string host = Stored("host.exe", Payload(5000, 2)), none = TempPath("none.exe");
    const std::string recording = Stored("rec.vqd", small), carrier = TempPath("out.exe");
    const std::string back = TempPath("back.vqd");
    const std::string broken = Stored("broken.vqd", Resized(small, small.size() - 1));
    ASSERT_EQ(Exec(RunEmbed, {host, recording, "-o", carrier}).code, 0);
    EXPECT_EQ(ReadFile(carrier), Embed(Payload(5000, 2), small));
    ASSERT_EQ(Exec(RunExtract, {carrier, "-o", back}).code, 0);
    EXPECT_EQ(ReadFile(back), small);
    EXPECT_EQ(Exec(RunEmbed, {host, recording, "-o", host}).code, 2);
    EXPECT_EQ(Exec(RunEmbed, {host, broken, "-o", none}).code, 1);
    EXPECT_EQ(Exec(RunExtract, {recording, "-o", none}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_EQ(ReadFile(host), Payload(5000, 2));
    ASSERT_EQ(Exec(RunAppend, {back, recording}).code, 0);
    EXPECT_NE(Exec(RunInfo, {back}).out.find("records:        4"), std::string::npos);
}

// A program signed after embedding still gives its recording; a signed
// program takes no recording, embedded or appended, and is left as it was.
TEST(VqdTool, SignedProgramsAreReadButNeverWrittenTo) {
    const Bytes program = Signed(Embed(PeImage(true, 5000), small), true);
    const std::string signedCarrier = Stored("signed.exe", program), back = TempPath("back.vqd");
    const Ran info = Exec(RunInfo, {signedCarrier});
    EXPECT_EQ(info.code, 0);
    for (const char* line :
         {"embeddedStart:  5000\n", "signature:      certificate table at 5448, 1552 bytes\n",
          "records:        2\n", "record chain:   complete\n"})
        EXPECT_NE(info.out.find(line), std::string::npos) << line << info.out;
    ASSERT_EQ(Exec(RunExtract, {signedCarrier, "-o", back}).code, 0);
    EXPECT_EQ(ReadFile(back), small);

    const std::string signedHost = Stored("host.exe", Signed(PeImage(true, 5000), true));
    const std::string recording = Stored("rec.vqd", small), none = TempPath("none.exe");
    const Ran embed = Exec(RunEmbed, {signedHost, recording, "-o", none});
    EXPECT_EQ(embed.code, 1);
    EXPECT_NE(embed.err.find("signed program: embed the recording before signing"),
              std::string::npos)
        << embed.err;
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_EQ(Exec(RunAppend, {signedCarrier, recording}).code, 1);
    EXPECT_EQ(ReadFile(signedCarrier), program);
}

TEST(VqdTool, DumpFollowsItsLineContract) {
    const Ran ran = Exec(RunDump, {"--json", Stored("dump.vqd", small)});
    ASSERT_EQ(ran.code, 0);
    const std::string header =
        "{\"type\":\"header\",\"embedded\":false,\"embeddedStart\":0,\"dataStart\":344,"
        "\"dataEnd\":" +
        std::to_string(small.size()) +
        ",\"frameRate\":10,\"secondaryRate\":50,\"durationSeconds\":27,"
        "\"durationMilliseconds\":15,\"title\":\"\",\"author\":\"\",\"description\":\"\"}\n"
        "{\"type\":\"record\",\"index\":0,\"offset\":344,\"delay\":100,";
    EXPECT_EQ(ran.out.substr(0, header.size()), header);
    for (const char* part :
         {"\"applied\":true,\"dirty\":[[0,0,4,2]],\"cursor\":[0,0],\"buttons\":[0,0],"
          "\"capture\":[0,0,4,2],\"image\":[4,2,32],\"sha256\":\"",
          "\"dirty\":[[1,1,4,2]],\"cursor\":[3,1],\"buttons\":[1,0]",
          "}\n{\"type\":\"end\",\"records\":2,\"reason\":\"end\"}\n"})
        EXPECT_NE(ran.out.find(part), std::string::npos) << part;
    EXPECT_EQ(std::count(ran.out.begin(), ran.out.end(), '\n'), 4);
}

// The last line says why the stream stopped, or why the file is no recording
// (the reasons themselves are the reader's: ContainerTest).
TEST(VqdTool, DumpEndsWithWhyItStopped) {
    Bytes wrongVersion = small;
    wrongVersion[4] = 2;
    const struct {
        Bytes bytes;
        int code;
        std::string last;
    } cases[] = {
        {Resized(small, small.size() - 3), 0,
         "\"type\":\"end\",\"records\":1,\"reason\":\"truncated\""},
        {Resized(small, small.size(), Bytes(8)), 0,
         "\"type\":\"end\",\"records\":2,\"reason\":\"zero-length\""},
        {{'V', 'Q', 'D', ' '}, 1, "\"type\":\"error\",\"reason\":\"badtrailer\""},
        {wrongVersion, 1, "\"type\":\"error\",\"reason\":\"badversion\""},
        {Resized(small, 100), 1, "\"type\":\"error\",\"reason\":\"shortheader\""},
    };
    for (const auto& c : cases) {
        const Ran ran = Exec(RunDump, {"--json", Stored("ends.vqd", c.bytes)});
        EXPECT_EQ(ran.code, c.code) << c.last;
        const size_t lastLine = ran.out.rfind('\n', ran.out.size() - 2) + 1;  // npos + 1 is 0
        EXPECT_EQ(ran.out.substr(lastLine), "{" + c.last + "}\n");
    }
}

}  // namespace
