// vqdtool's commands, run in-process on recordings made byte by byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ContainerCommands.h"
#include "FrameUpdateBuilder.h"
#include "PictureCommands.h"

namespace {

// Runs a command with its arguments; what it printed lands in out and err.
int RunCommand(int (*command)(int, char**), std::vector<std::string> args,
               std::string* out = nullptr, std::string* err = nullptr) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int code = command(int(args.size()), argv.data());
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string complained = testing::internal::GetCapturedStderr();
    if (out)
        *out = printed;
    if (err)
        *err = complained;
    return code;
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// Two records: a 4 x 2 top-down 32-bit picture with its capture rectangle,
// then one run of 4 bytes and a cursor with the left button down.
Bytes SmallRecording() {
    return RecordingOf(
        {FrameUpdateBuilder().ImageFormat(4, -2, 32).CaptureRect(0, 0, 4, 2).Build(),
         FrameUpdateBuilder().Cursor(3, 1, 1, 0).PixelRuns({{1, 1, 0, {9, 9, 9, 9}}}).Build()});
}

TEST(VqdTool, InfoDescribesPlainAndEmbeddedRecordings) {
    const std::string plain = TempPath("info.vqd"), carrier = TempPath("carrier.exe");
    WriteFile(plain, SmallRecording());
    WriteFile(carrier, Embed(Payload(1000, 1), SmallRecording()));
    std::string out;
    ASSERT_EQ(RunCommand(RunInfo, {plain}, &out), 0);
    EXPECT_NE(out.find("plain recording"), std::string::npos);
    EXPECT_NE(out.find("records:        2"), std::string::npos);
    EXPECT_NE(out.find("record chain:   complete"), std::string::npos);
    ASSERT_EQ(RunCommand(RunInfo, {carrier}, &out), 0);
    EXPECT_NE(out.find("embeddedStart:  1000"), std::string::npos);
    EXPECT_NE(out.find("dataStart:      1344"), std::string::npos);
}

TEST(VqdTool, BadFilesGiveOneLineWithOffsetAndReason) {
    Bytes cut = SmallRecording();
    cut.resize(cut.size() - 3);
    const std::string cutPath = TempPath("cut.vqd"), junk = TempPath("junk.bin");
    WriteFile(cutPath, cut);
    WriteFile(junk, Payload(100, 3));
    std::string out, err;
    EXPECT_EQ(RunCommand(RunInfo, {cutPath}, &out, &err), 1);
    EXPECT_EQ(Lines(err).size(), 1u);
    EXPECT_NE(err.find(cutPath), std::string::npos);
    EXPECT_NE(err.find("payload cut short"), std::string::npos);
    EXPECT_EQ(RunCommand(RunInfo, {junk}, &out, &err), 1);
    EXPECT_NE(err.find("offset 0: no \"VQD \" magic"), std::string::npos);
    EXPECT_EQ(RunCommand(RunInfo, {}, &out, &err), 2);
}

TEST(VqdTool, EmbedAndExtractRoundTrip) {
    const std::string host = TempPath("host.exe"), recording = TempPath("rec.vqd");
    const std::string carrier = TempPath("out.exe"), back = TempPath("back.vqd");
    WriteFile(host, Payload(5000, 2));
    WriteFile(recording, SmallRecording());
    ASSERT_EQ(RunCommand(RunEmbed, {host, recording, "-o", carrier}), 0);
    EXPECT_EQ(ReadFile(carrier), Embed(Payload(5000, 2), SmallRecording()));
    ASSERT_EQ(RunCommand(RunExtract, {carrier, "-o", back}), 0);
    EXPECT_EQ(ReadFile(back), SmallRecording());
    // Never over an input, never a half-made output.
    EXPECT_EQ(RunCommand(RunEmbed, {host, recording, "-o", host}), 2);
    EXPECT_EQ(ReadFile(host), Payload(5000, 2));
    const std::string broken = TempPath("broken.vqd"), none = TempPath("none.exe");
    Bytes bytes = SmallRecording();
    bytes.resize(bytes.size() - 1);
    WriteFile(broken, bytes);
    EXPECT_EQ(RunCommand(RunEmbed, {host, broken, "-o", none}), 1);
    EXPECT_FALSE(Exists(none));
    EXPECT_EQ(RunCommand(RunExtract, {recording, "-o", none}), 1);  // nothing appended to it
    EXPECT_FALSE(Exists(none));
}

TEST(VqdTool, AppendJoinsTwoRecordings) {
    const std::string target = TempPath("target.vqd"), source = TempPath("source.vqd");
    WriteFile(target, SmallRecording());
    WriteFile(source, SmallRecording());
    ASSERT_EQ(RunCommand(RunAppend, {target, source}), 0);
    std::string out;
    ASSERT_EQ(RunCommand(RunInfo, {target}, &out), 0);
    EXPECT_NE(out.find("records:        4"), std::string::npos);
}

TEST(VqdTool, DumpFollowsItsLineContract) {
    const std::string path = TempPath("dump.vqd");
    WriteFile(path, SmallRecording());
    std::string out;
    ASSERT_EQ(RunCommand(RunDump, {"--json", path}, &out), 0);
    const std::vector<std::string> lines = Lines(out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "{\"type\":\"header\",\"embedded\":false,\"embeddedStart\":0,\"dataStart\":344,"
              "\"dataEnd\":" +
                  std::to_string(SmallRecording().size()) +
                  ",\"frameRate\":10,\"secondaryRate\":50,\"durationSeconds\":27,"
                  "\"durationMilliseconds\":15,"
                  "\"title\":\"\",\"author\":\"\",\"description\":\"\"}");
    EXPECT_EQ(lines[1].rfind("{\"type\":\"record\",\"index\":0,\"offset\":344,\"delay\":", 0), 0u);
    EXPECT_NE(
        lines[1].find("\"applied\":true,\"dirty\":[[0,0,4,2]],\"cursor\":[0,0],\"buttons\":[0,0],"
                      "\"capture\":[0,0,4,2],\"image\":[4,2,32],\"sha256\":\""),
        std::string::npos);
    EXPECT_NE(lines[2].find("\"dirty\":[[1,1,4,2]],\"cursor\":[3,1],\"buttons\":[1,0]"),
              std::string::npos);
    EXPECT_EQ(lines[3], "{\"type\":\"end\",\"records\":2,\"reason\":\"end\"}");
}

TEST(VqdTool, DumpEndsWithWhyTheStreamStopped) {
    const Bytes whole = SmallRecording();
    const Bytes payloadCut(whole.begin(), whole.end() - 3);
    Bytes headerCut = whole, headerOnly = whole, zeroLength = whole;
    headerCut.insert(headerCut.end(), {1, 2, 3, 4, 5});
    for (uint32_t v : {0u, 50u})
        AppendU32(headerOnly, v);
    for (uint32_t v : {0u, 0u})
        AppendU32(zeroLength, v);
    const struct {
        const Bytes& bytes;
        const char* end;
    } cases[] = {{whole, "\"records\":2,\"reason\":\"end\""},
                 {payloadCut, "\"records\":1,\"reason\":\"truncated\""},
                 {headerCut, "\"records\":2,\"reason\":\"truncated\""},
                 {headerOnly, "\"records\":2,\"reason\":\"truncated\""},
                 {zeroLength, "\"records\":2,\"reason\":\"zero-length\""}};
    const std::string path = TempPath("ends.vqd");
    for (const auto& c : cases) {
        WriteFile(path, c.bytes);
        std::string out;
        ASSERT_EQ(RunCommand(RunDump, {"--json", path}, &out), 0);
        EXPECT_EQ(Lines(out).back(), "{\"type\":\"end\"," + std::string(c.end) + "}")
            << c.bytes.size();
    }
}

TEST(VqdTool, DumpNamesWhyAFileIsNoRecording) {
    Bytes wrongVersion = SmallRecording(), shortHeader = SmallRecording();
    wrongVersion[4] = 2;
    shortHeader.resize(100);
    const std::pair<Bytes, const char*> cases[] = {{{'V', 'Q', 'D', ' '}, "badtrailer"},
                                                   {wrongVersion, "badversion"},
                                                   {shortHeader, "shortheader"}};
    const std::string path = TempPath("notrec.bin");
    for (const auto& [bytes, reason] : cases) {
        WriteFile(path, bytes);
        std::string out;
        EXPECT_EQ(RunCommand(RunDump, {"--json", path}, &out), 1);
        EXPECT_EQ(out, "{\"type\":\"error\",\"reason\":\"" + std::string(reason) + "\"}\n");
    }
}

}  // namespace
