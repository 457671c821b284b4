// vqdtool's commands, run in-process on recordings made byte by byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ContainerCommands.h"
#include "FrameUpdateBuilder.h"
#include "PictureCommands.h"

namespace {

// What a command returned and printed.
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

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
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
    Ran ran = Exec(RunInfo, {plain});
    ASSERT_EQ(ran.code, 0);
    for (const char* line : {"plain recording", "records:        2", "record chain:   complete"})
        EXPECT_TRUE(Has(ran.out, line)) << line;
    ran = Exec(RunInfo, {carrier});
    ASSERT_EQ(ran.code, 0);
    EXPECT_TRUE(Has(ran.out, "embeddedStart:  1000"));
    EXPECT_TRUE(Has(ran.out, "dataStart:      1344"));
}

TEST(VqdTool, BadFilesGiveOneLineWithOffsetAndReason) {
    Bytes cut = SmallRecording();
    cut.resize(cut.size() - 3);
    const std::string cutPath = TempPath("cut.vqd"), junk = TempPath("junk.bin");
    WriteFile(cutPath, cut);
    WriteFile(junk, Payload(100, 3));
    Ran ran = Exec(RunInfo, {cutPath});
    EXPECT_EQ(ran.code, 1);
    EXPECT_EQ(Lines(ran.err).size(), 1u);
    EXPECT_TRUE(Has(ran.err, cutPath));
    EXPECT_TRUE(Has(ran.err, "payload cut short"));
    ran = Exec(RunInfo, {junk});
    EXPECT_EQ(ran.code, 1);
    EXPECT_TRUE(Has(ran.err, "offset 0: no \"VQD \" magic"));
    EXPECT_EQ(Exec(RunInfo, {}).code, 2);
}

TEST(VqdTool, EmbedExtractAndAppend) {
    const std::string host = TempPath("host.exe"), recording = TempPath("rec.vqd");
    const std::string carrier = TempPath("out.exe"), back = TempPath("back.vqd");
    WriteFile(host, Payload(5000, 2));
    WriteFile(recording, SmallRecording());
    ASSERT_EQ(Exec(RunEmbed, {host, recording, "-o", carrier}).code, 0);
    EXPECT_EQ(ReadFile(carrier), Embed(Payload(5000, 2), SmallRecording()));
    ASSERT_EQ(Exec(RunExtract, {carrier, "-o", back}).code, 0);
    EXPECT_EQ(ReadFile(back), SmallRecording());
    // Never over an input, never a half-made output.
    EXPECT_EQ(Exec(RunEmbed, {host, recording, "-o", host}).code, 2);
    EXPECT_EQ(ReadFile(host), Payload(5000, 2));
    const std::string broken = TempPath("broken.vqd"), none = TempPath("none.exe");
    Bytes bytes = SmallRecording();
    bytes.resize(bytes.size() - 1);
    WriteFile(broken, bytes);
    EXPECT_EQ(Exec(RunEmbed, {host, broken, "-o", none}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_EQ(Exec(RunExtract, {recording, "-o", none}).code, 1);  // nothing appended to it
    EXPECT_FALSE(std::filesystem::exists(none));
    // Appending a recording to itself doubles its records.
    ASSERT_EQ(Exec(RunAppend, {back, recording}).code, 0);
    const Ran info = Exec(RunInfo, {back});
    ASSERT_EQ(info.code, 0);
    EXPECT_TRUE(Has(info.out, "records:        4"));
}

TEST(VqdTool, DumpFollowsItsLineContract) {
    const std::string path = TempPath("dump.vqd");
    WriteFile(path, SmallRecording());
    const Ran ran = Exec(RunDump, {"--json", path});
    ASSERT_EQ(ran.code, 0);
    const std::vector<std::string> lines = Lines(ran.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "{\"type\":\"header\",\"embedded\":false,\"embeddedStart\":0,\"dataStart\":344,"
              "\"dataEnd\":" +
                  std::to_string(SmallRecording().size()) +
                  ",\"frameRate\":10,\"secondaryRate\":50,\"durationSeconds\":27,"
                  "\"durationMilliseconds\":15,"
                  "\"title\":\"\",\"author\":\"\",\"description\":\"\"}");
    EXPECT_EQ(lines[1].rfind("{\"type\":\"record\",\"index\":0,\"offset\":344,\"delay\":", 0), 0u);
    EXPECT_TRUE(Has(lines[1],
                    "\"applied\":true,\"dirty\":[[0,0,4,2]],\"cursor\":[0,0],"
                    "\"buttons\":[0,0],\"capture\":[0,0,4,2],\"image\":[4,2,32],"
                    "\"sha256\":\""));
    EXPECT_TRUE(Has(lines[2], "\"dirty\":[[1,1,4,2]],\"cursor\":[3,1],\"buttons\":[1,0]"));
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
        const Ran ran = Exec(RunDump, {"--json", path});
        ASSERT_EQ(ran.code, 0);
        EXPECT_EQ(Lines(ran.out).back(), "{\"type\":\"end\"," + std::string(c.end) + "}")
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
        const Ran ran = Exec(RunDump, {"--json", path});
        EXPECT_EQ(ran.code, 1);
        EXPECT_EQ(ran.out, "{\"type\":\"error\",\"reason\":\"" + std::string(reason) + "\"}\n");
    }
}

}  // namespace
