// A recording appended to a program that was signed afterwards: the trailer
// sits before the certificate table, behind the zero bytes that align it.
// Directories that name no table at the end leave the file as unsigned.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "recording/AppendedTrailer.h"
#include "recording/ExeRecordingFile.h"

namespace {

const std::vector<TestRecord> records = {{100, Payload(300, 1)}, {40, Payload(25, 2)}};
const Bytes recording = MakeRecording(records, 10, 50, "signed");

AppendedTrailer TrailerOf(const std::string& path) {
    LockedFile f;
    EXPECT_TRUE(f.Open(path.c_str(), LockedFile::kRead));
    const AppendedTrailer t = FindAppendedTrailer(f);
    f.Close();
    return t;
}

// Every record of the recording is read back from the file.
void ExpectPlays(const std::string& path, uint32_t embeddedStart) {
    EXPECT_TRUE(IsEmbeddedRecording(path.c_str()));
    ExeRecordingFile e;
    ASSERT_TRUE(e.Initialize());
    ASSERT_TRUE(e.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(e.GetEmbeddedStart(), embeddedStart);
    EXPECT_EQ(e.GetDataEnd(), embeddedStart + recording.size());
    EXPECT_EQ(TitleOf(e), "signed");
    e.SetQuickPlay(1);
    e.Restart();
    for (const TestRecord& record : records)
        EXPECT_EQ(Deliver(e), record.payload);
    EXPECT_TRUE(Deliver(e).empty());
    EXPECT_EQ(e.GetStreamStop(), RecordingFile::StreamStop::End);
    e.Close();
}

}  // namespace

// PE32 and PE32+, with every padding from none to seven bytes.
TEST(SignedProgram, TheRecordingIsFoundBeforeTheCertificateTable) {
    for (bool pe32Plus : {false, true})
        for (size_t hostSize = 4096; hostSize < 4104; ++hostSize) {
            SCOPED_TRACE(std::to_string(pe32Plus) + " " + std::to_string(hostSize));
            const Bytes unsigned_ = Embed(PeImage(pe32Plus, hostSize), recording);
            const Bytes program = Signed(unsigned_, pe32Plus);
            const std::string path = Stored("program.exe", program);
            const AppendedTrailer t = TrailerOf(path);
            EXPECT_TRUE(t.signedImage);
            EXPECT_EQ(t.certificates.offset, (unsigned_.size() + 7) / 8 * 8);
            EXPECT_EQ(t.certificates.size, 1552u);
            EXPECT_EQ(t.end, unsigned_.size());
            ExpectPlays(path, uint32_t(hostSize));
        }
}

// Signing a program that carries no recording finds no trailer, and the
// padding is never taken for more than seven bytes.
TEST(SignedProgram, WithoutATrailerBeforeTheTableNothingIsFound) {
    // Exactly eight zero bytes behind the trailer: the signature adds none.
    const size_t hostSize = 4096 + (8 - (recording.size() + vqd::kTrailerSize) % 8) % 8;
    Bytes farPadding = Embed(PeImage(true, hostSize), recording);
    farPadding.insert(farPadding.end(), 8, 0);
    for (const Bytes& unsigned_ : {PeImage(true, 4096), farPadding}) {
        const std::string path = Stored("program.exe", Signed(unsigned_, true));
        EXPECT_TRUE(TrailerOf(path).signedImage);
        EXPECT_FALSE(TrailerOf(path).magic);
        EXPECT_FALSE(IsEmbeddedRecording(path.c_str()));
        ExeRecordingFile e;
        ASSERT_TRUE(e.Initialize());
        EXPECT_FALSE(e.Open(path.c_str(), LockedFile::kRead));
    }
}

// Headers and directories that point anywhere, overflow or are cut short:
// the file is no signed program, so only a trailer at its very end counts,
// and there is none. The unchanged program is signed and plays.
TEST(SignedProgram, ADirectoryNamingNoTableAtTheEndLeavesTheFileUnsigned) {
    const bool pe32Plus = true;
    const Bytes program = Signed(Embed(PeImage(pe32Plus, 4096), recording), pe32Plus);
    const size_t directory = SecurityDirectoryAt(pe32Plus);
    const auto put = [](size_t at, uint32_t v) {
        return [at, v](Bytes& b) { vqd::WriteU32(&b[at], v); };
    };
    const uint32_t offset = vqd::ReadU32(&program[directory]);
    const std::pair<const char*, std::function<void(Bytes&)>> cases[] = {
        {"table past the end", put(directory, offset + 8)},
        {"offset and size overflow", put(directory, 0xFFFFFFF8u)},
        {"size overflows", put(directory + 4, 0xFFFFFFF0u)},
        {"table shorter than an entry", put(directory + 4, 4)},
        {"no table", put(directory, 0)},
        {"table inside the headers",
         [&](Bytes& b) {
             put(directory, 0x100)(b);
             put(directory + 4, uint32_t(b.size() - 0x100))(b);
             put(0x100, 16)(b);
         }},
        {"entry longer than the table", put(offset, 1553)},
        {"entry shorter than its header", put(offset, 7)},
        {"PE header beyond the file", put(0x3C, 0xFFFFFFF0u)},
        {"PE header cut off by the end", put(0x3C, uint32_t(program.size() - 10))},
        {"no PE signature", put(0x80, 0x00004551)},
        {"no MZ", put(0, 0x00905A4E)},
        {"unknown optional header, whatever its directories say",
         [&](Bytes& b) {
             put(0x98, 0x10C)(b);
             std::copy_n(&program[directory], 8, &b[0x98 + 32]);
         }},
        {"too few directories", put(0x98 + 108, 4)},
        {"optional header too small for the entry", put(0x80 + 20, 0x90)},
        {"bytes after the table", [](Bytes& b) { b.push_back(1); }},
    };
    for (const auto& [what, change] : cases) {
        SCOPED_TRACE(what);
        Bytes bytes = program;
        change(bytes);
        const std::string path = Stored("program.exe", bytes);
        const AppendedTrailer t = TrailerOf(path);
        EXPECT_FALSE(t.signedImage);
        EXPECT_EQ(t.end, bytes.size());
        EXPECT_FALSE(IsEmbeddedRecording(path.c_str()));
        ExeRecordingFile e;
        ASSERT_TRUE(e.Initialize());
        EXPECT_FALSE(e.Open(path.c_str(), LockedFile::kRead));
    }
    ExpectPlays(Stored("program.exe", program), 4096);
}

// The smallest table, a directory entry that ends the optional header, and
// an optional header that reaches up to the table still make a signed program.
TEST(SignedProgram, TablesAndHeadersAtTheirLimitsAreSigned) {
    const bool pe32Plus = true;
    const Bytes unsigned_ = Embed(PeImage(pe32Plus, 4096), recording);
    const Bytes program = Signed(unsigned_, pe32Plus);
    const uint32_t offset = vqd::ReadU32(&program[SecurityDirectoryAt(pe32Plus)]);
    const size_t optionalSizeAt = 0x80 + 20, optionalAt = 0x98;
    Bytes entryEndsHeader = program, headerReachesTable = program;
    vqd::WriteU16(&entryEndsHeader[optionalSizeAt],
                  uint16_t(SecurityDirectoryAt(pe32Plus) + 8 - optionalAt));
    vqd::WriteU16(&headerReachesTable[optionalSizeAt], uint16_t(offset - optionalAt));
    for (const Bytes& bytes :
         {Signed(unsigned_, pe32Plus, 8), entryEndsHeader, headerReachesTable}) {
        const std::string path = Stored("program.exe", bytes);
        EXPECT_TRUE(TrailerOf(path).signedImage);
        ExpectPlays(path, 4096);
    }
}

// Eight bytes that end in "VQD " make a complete trailer, and four only the
// magic; neither is a recording.
TEST(SignedProgram, ATrailerNeedsItsEightBytes) {
    const Bytes magic = {'V', 'Q', 'D', ' '}, eight = {0, 0, 0, 0, 'V', 'Q', 'D', ' '};
    for (const Bytes& bytes : {magic, eight}) {
        const AppendedTrailer t = TrailerOf(Stored("program.exe", bytes));
        EXPECT_TRUE(t.magic);
        EXPECT_EQ(t.complete, bytes.size() == 8);
        EXPECT_EQ(t.recordsEnd, 0u);
        EXPECT_EQ(t.embeddedStart, 0u);
    }
}

// An unsigned program reads as always; a signed one is a source to append
// from but never a target: its table would be overwritten.
TEST(SignedProgram, AppendingReadsASignedSourceAndRefusesASignedTarget) {
    const std::string plain = TempPath("plain.vqd"), source = TempPath("source.exe");
    WriteFile(plain, recording);
    WriteFile(source, Signed(Embed(PeImage(false, 4100), recording), false));
    RecordingFile writer;
    ASSERT_TRUE(writer.Initialize());
    ASSERT_TRUE(writer.AppendRecording(plain.c_str(), source.c_str()));
    ASSERT_TRUE(writer.Open(plain.c_str(), LockedFile::kRead));
    EXPECT_EQ(writer.GetDataEnd(), 2 * recording.size() - vqd::kDataOffset);
    writer.Close();

    const Bytes target = ReadFile(source);
    ExeRecordingFile exe;
    ASSERT_TRUE(exe.Initialize());
    EXPECT_FALSE(exe.AppendRecording(source.c_str(), plain.c_str()));
    EXPECT_EQ(ReadFile(source), target);
    const std::string unsignedTarget = TempPath("unsigned.exe");
    WriteFile(unsignedTarget, Embed(PeImage(true, 4096), recording));
    EXPECT_TRUE(exe.AppendRecording(unsignedTarget.c_str(), plain.c_str()));
}
