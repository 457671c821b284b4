#include "e2e/TestProcess.h"
#include "upgrade/FormatString.h"
#include "upgrade/VersionInfo.h"

#include <gtest/gtest.h>

TEST(VersionInfo, BuiltProgramCarriesItsVersionTexts) {
    VersionInfo info;
    EXPECT_FALSE(info.Open()) << "this test program has no version resource";
    EXPECT_FALSE(info.Open("C:\\no\\such\\program.exe"));
    ASSERT_TRUE(info.Open(e2e::WindowsPath(QV_SAVER_PATH).c_str()));
    VersionStrings strings;
    ASSERT_TRUE(info.Fill(strings));
    // The product name and file version are tested in SaverUpgradeE2ETest.
    EXPECT_EQ(strings.productVersion, "1.0.33.0");
    EXPECT_NE(strings.legalCopyright.find("Quorvane"), std::string::npos);
    // Strings are looked up under the first translation.
    EXPECT_EQ(info.QueryString("ProductName", 0x040904B0), "Quorvane Screen Saver");
    EXPECT_EQ(info.QueryString("ProductName", 0x040704B0), "") << "no German texts";
    info.Close();
    EXPECT_FALSE(info.Fill(strings)) << "closed";
}

TEST(FormatString, FormatsLikePrintfAndCutsAtTheLastAllowance) {
    std::string text;
    FormatString(text, "%s", std::string(43008, 'x').c_str());
    EXPECT_EQ(text, std::string(43008, 'x'));
    FormatString(text, "%s!", std::string(50000, 'z').c_str());
    EXPECT_EQ(text, std::string(43008, 'z'));
}
