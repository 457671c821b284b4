#include "e2e/TestProcess.h"
#include "upgrade/FormatString.h"
#include "upgrade/VersionInfo.h"

#include <gtest/gtest.h>

namespace {
std::string SaverPath()
{
    return e2e::WindowsPath(QV_SAVER_PATH);
}
} // namespace

TEST(VersionInfo, BuiltProgramCarriesItsVersionTexts)
{
    VersionInfo info;
    ASSERT_TRUE(info.Open(SaverPath().c_str()));
    VersionStrings strings;
    ASSERT_TRUE(info.Fill(strings));
    EXPECT_EQ(strings.companyName, "Quorvane");
    EXPECT_EQ(strings.productName, "Quorvane Screen Saver");
    EXPECT_EQ(strings.fileDescription, "Quorvane Screen Saver");
    EXPECT_EQ(strings.fileVersion, "1.0.33.0");
    EXPECT_EQ(strings.productVersion, "1.0.33.0");
    EXPECT_EQ(strings.fileVersionNumber, "1.0.33.0");
    EXPECT_EQ(strings.internalName, "QuorvaneSaver");
    EXPECT_EQ(strings.originalFilename, "QuorvaneSaver.scr");
    EXPECT_NE(strings.legalCopyright.find("Quorvane"), std::string::npos);
    EXPECT_EQ(strings.language, "English");
    EXPECT_EQ(strings.operatingSystem, "Win32 API on Windows NT");
    EXPECT_EQ(strings.fileType, "Application");
}

TEST(VersionInfo, StringsAreLookedUpUnderTheFirstTranslation)
{
    VersionInfo info;
    ASSERT_TRUE(info.Open(SaverPath().c_str()));
    EXPECT_EQ(info.QueryString("ProductName", 0x040904B0), "Quorvane Screen Saver");
    EXPECT_EQ(info.QueryString("ProductName", 0x040704B0), "") << "no German texts";
    EXPECT_EQ(info.QueryString("NoSuchValue"), "");
}

TEST(VersionInfo, ModuleWithoutVersionResourceGivesNothing)
{
    VersionInfo info;
    EXPECT_FALSE(info.Open()) << "this test program has no version resource";
    VersionStrings strings;
    EXPECT_FALSE(info.Fill(strings));
    EXPECT_EQ(strings.productName, "");
    EXPECT_EQ(info.QueryString("ProductName"), "");
}

TEST(VersionInfo, MissingFileGivesNothing)
{
    VersionInfo info;
    EXPECT_FALSE(info.Open("C:\\no\\such\\program.exe"));
}

TEST(VersionInfo, ClosedReaderAnswersEmpty)
{
    VersionInfo info;
    ASSERT_TRUE(info.Open(SaverPath().c_str()));
    info.Close();
    VersionStrings strings;
    EXPECT_FALSE(info.Fill(strings));
    EXPECT_EQ(info.QueryString("ProductName"), "");
}

TEST(FormatString, FormatsLikePrintf)
{
    std::string text;
    FormatString(text, "\\StringFileInfo\\%08x\\%s", 0x040904B0u, "ProductName");
    EXPECT_EQ(text, "\\StringFileInfo\\040904b0\\ProductName");
    FormatString(text, "%d.%d.%d.%d", 1, 0, 33, 0);
    EXPECT_EQ(text, "1.0.33.0");
}

TEST(FormatString, GrowsForLongTextsAndCutsAtTheLastAllowance)
{
    std::string text;
    std::string long5000(5000, 'x');
    FormatString(text, "%s", long5000.c_str());
    EXPECT_EQ(text, long5000);
    std::string exact(43008, 'y');
    FormatString(text, "%s", exact.c_str());
    EXPECT_EQ(text, exact);
    std::string tooLong(50000, 'z');
    FormatString(text, "%s!", tooLong.c_str());
    EXPECT_EQ(text, std::string(43008, 'z'));
}
