#include "e2e/TestProcess.h"
#include "upgrade/FormatString.h"
#include "upgrade/VersionInfo.h"

#include <gtest/gtest.h>

TEST(VersionInfo, BuiltProgramCarriesItsVersionTexts) {
    VersionInfo info;
    ASSERT_TRUE(info.Open(e2e::WindowsPath(QV_SAVER_PATH).c_str()));
    VersionStrings strings;
    ASSERT_TRUE(info.Fill(strings));
    const std::pair<std::string VersionStrings::*, const char*> texts[] = {
        {&VersionStrings::companyName, "Quorvane"},
        {&VersionStrings::productName, "Quorvane Screen Saver"},
        {&VersionStrings::fileDescription, "Quorvane Screen Saver"},
        {&VersionStrings::fileVersion, "1.0.33.0"},
        {&VersionStrings::productVersion, "1.0.33.0"},
        {&VersionStrings::fileVersionNumber, "1.0.33.0"},
        {&VersionStrings::internalName, "QuorvaneSaver"},
        {&VersionStrings::originalFilename, "QuorvaneSaver.scr"},
        {&VersionStrings::language, "English"},
        {&VersionStrings::operatingSystem, "Win32 API on Windows NT"},
        {&VersionStrings::fileType, "Application"}};
    for (const auto& [member, text] : texts)
        EXPECT_EQ(strings.*member, text);
    EXPECT_NE(strings.legalCopyright.find("Quorvane"), std::string::npos);
    // Strings are looked up under the first translation.
    EXPECT_EQ(info.QueryString("ProductName", 0x040904B0), "Quorvane Screen Saver");
    EXPECT_EQ(info.QueryString("ProductName", 0x040704B0), "") << "no German texts";
    EXPECT_EQ(info.QueryString("NoSuchValue"), "");
    info.Close();
    EXPECT_FALSE(info.Fill(strings)) << "closed";
    EXPECT_EQ(info.QueryString("ProductName"), "");
}

// What is read of a module that does not open is tested above as closed.
TEST(VersionInfo, ModuleWithoutVersionResourceOrMissingFileDoesNotOpen) {
    VersionInfo info;
    EXPECT_FALSE(info.Open()) << "this test program has no version resource";
    EXPECT_FALSE(info.Open("C:\\no\\such\\program.exe"));
}

TEST(FormatString, FormatsLikePrintfAndCutsAtTheLastAllowance) {
    std::string text;
    FormatString(text, "\\StringFileInfo\\%08x\\%s", 0x040904B0u, "ProductName");
    EXPECT_EQ(text, "\\StringFileInfo\\040904b0\\ProductName");
    FormatString(text, "%d.%d.%d.%d", 1, 0, 33, 0);
    EXPECT_EQ(text, "1.0.33.0");
    for (size_t length : {5000, 43008}) {
        const std::string fits(length, 'x');
        FormatString(text, "%s", fits.c_str());
        EXPECT_EQ(text, fits);
    }
    FormatString(text, "%s!", std::string(50000, 'z').c_str());
    EXPECT_EQ(text, std::string(43008, 'z'));
}
