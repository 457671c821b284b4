#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestFiles.h"
#include "recording/LockedFile.h"

namespace {

class LockedFileTest : public ::testing::Test {
  protected:
    std::string TenBytes() {
        const std::string path = TempPath("ten.bin");
        WriteFile(path, Payload(10, 1));
        return path;
    }
    LockedFile f;
};

TEST_F(LockedFileTest, ReadStopsAtTheKnownSize) {
    ASSERT_TRUE(f.Open(TenBytes().c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 10);
    EXPECT_EQ(f.IsEof(), 0);
    uint8_t buf[8] = {};
    EXPECT_EQ(f.Seek(8, LockedFile::kBegin), 8);
    EXPECT_EQ(f.Read(buf, 4), 2u);  // 4 asked at 2 before the end
    EXPECT_EQ(buf[0], Payload(10, 1)[8]);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_EQ(f.Tell(), 10);
    EXPECT_EQ(f.Read(buf, 4), 0u);  // at the end
    EXPECT_EQ(f.Tell(), 10);
    EXPECT_EQ(f.Read(nullptr, 4), 0u);
    f.Close();
}

TEST_F(LockedFileTest, SeekClampsToTheStartAndEnd) {
    ASSERT_TRUE(f.Open(TenBytes().c_str(), LockedFile::kRead));
    EXPECT_EQ(f.Seek(-4, LockedFile::kEnd), 6);
    EXPECT_EQ(f.IsEof(), 0);
    EXPECT_EQ(f.Seek(-20, LockedFile::kEnd), 0);
    EXPECT_EQ(f.Seek(-5, LockedFile::kBegin), 0);
    EXPECT_EQ(f.Seek(3, LockedFile::kCurrent), 3);
    EXPECT_EQ(f.Seek(-9, LockedFile::kCurrent), 0);
    EXPECT_EQ(f.Seek(15, LockedFile::kBegin), 15);  // beyond the size is allowed
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_EQ(f.Seek(0, 7), -1);
    f.Close();
}

TEST_F(LockedFileTest, ClosedObjectAnswersNeutrally) {
    EXPECT_EQ(f.Tell(), -1);
    EXPECT_EQ(f.GetSize(), -1);
    EXPECT_EQ(f.GetAccess(), 0u);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_FALSE(f.Flush());
    char name[LockedFile::kNameSize] = "x";
    f.GetName(name);
    EXPECT_STREQ(name, "");
    uint8_t b = 0;
    EXPECT_EQ(f.Write(&b, 1), 0u);
    EXPECT_FALSE(f.Open(nullptr, LockedFile::kRead));
    EXPECT_FALSE(f.Open(TempPath("missing").c_str(), LockedFile::kRead));
    EXPECT_FALSE(f.Open(TenBytes().c_str(), 0x20000000));
    EXPECT_EQ(f.GetAccess(), 0u);
}

TEST_F(LockedFileTest, WritingEmptiesAndGrowsTheFile) {
    const std::string path = TenBytes();
    ASSERT_TRUE(f.Open(path.c_str(), LockedFile::kWrite));
    EXPECT_EQ(f.GetSize(), 0);
    EXPECT_EQ(f.IsEof(), 1);
    const Bytes data = Payload(6, 9);
    EXPECT_EQ(f.Write(data.data(), 6), 6u);
    EXPECT_EQ(f.GetSize(), 6);
    EXPECT_TRUE(f.Flush());
    f.Close();
    EXPECT_EQ(ReadFile(path), data);

    ASSERT_TRUE(f.Open(path.c_str(), LockedFile::kReadWrite));
    EXPECT_EQ(f.GetAccess(), LockedFile::kReadWrite);
    EXPECT_EQ(f.Seek(4, LockedFile::kBegin), 4);
    EXPECT_EQ(f.Write(data.data(), 6), 6u);
    EXPECT_EQ(f.GetSize(), 10);
    EXPECT_TRUE(f.SetSize(3));
    EXPECT_EQ(f.Tell(), 3);
    EXPECT_EQ(f.GetSize(), 3);
    EXPECT_TRUE(f.SetSize(3));
    EXPECT_FALSE(f.SetSize(-1));
    f.Close();
    EXPECT_EQ(ReadFile(path), Bytes(data.begin(), data.begin() + 3));
}

TEST_F(LockedFileTest, OpeningASecondPathClosesTheFirst) {
    const std::string first = TenBytes();
    const std::string second = TempPath("second.bin");
    WriteFile(second, Payload(3, 5));
    ASSERT_TRUE(f.Open(first.c_str(), LockedFile::kRead));
    ASSERT_TRUE(f.Open(second.c_str(), LockedFile::kRead));
    char name[LockedFile::kNameSize];
    f.GetName(name);
    EXPECT_EQ(std::string(name), second);
    EXPECT_EQ(f.GetSize(), 3);
    // A failed open leaves the object closed.
    EXPECT_FALSE(f.Open(TempPath("missing").c_str(), LockedFile::kRead));
    EXPECT_EQ(f.Tell(), -1);
}

TEST_F(LockedFileTest, PathsThatDoNotFitTheNameAreRefused) {
    const std::string longPath = TempPath(std::string(300, 'a'));
    EXPECT_FALSE(f.Open(longPath.substr(0, LockedFile::kNameSize).c_str(), LockedFile::kWrite));
    EXPECT_EQ(f.GetAccess(), 0u);
}

TEST_F(LockedFileTest, FilesOfTwoGibibytesOrMoreAreRefused) {
    const std::string path = TempPath("huge.bin");
    WriteFile(path, Bytes(1, 0));
    std::filesystem::resize_file(path, uintmax_t(1) << 31);  // sparse
    EXPECT_FALSE(f.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), -1);
    std::filesystem::resize_file(path, (uintmax_t(1) << 31) - 1);
    EXPECT_TRUE(f.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 0x7FFFFFFF);
    f.Close();
    std::filesystem::remove(path);
}

}  // namespace
