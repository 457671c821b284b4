#include "upgrade/ErrorText.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const std::string reinstall =
    "\n\nPlease reboot your system or re-install the software, then try again!";
}

TEST(ErrorText, TextsWithAndWithoutPlaceAndTheLastOne) {
    const std::string open =
        FormatOpenError("in XDownload::DownloadFile(\"%s\")", "C:\\T\\setup.exe");
    EXPECT_EQ(open,
              "Can not open file!\n\nin XDownload::DownloadFile(\"C:\\T\\setup.exe\")" + reinstall);
    EXPECT_EQ(LastErrorText(), open);
    EXPECT_EQ(FormatReadError("XFile::Load(\"%s\")", "a.txt"),
              "Can not read file!\n\nXFile::Load(\"a.txt\")" + reinstall);
    const std::string alloc =
        "Can not allocate memory!\n\nPlease reboot your system, then try again!";
    EXPECT_EQ(FormatAllocError(), alloc);
    EXPECT_EQ(LastErrorText(), alloc);
    FormatOpenError();
    FormatReadError();
    EXPECT_EQ(LastErrorText().substr(0, 18), "Can not read file!");
}

TEST(ErrorText, LongPlaceIsCut) {
    const std::string text = FormatOpenError("in Load(\"%s\")", std::string(2000, 'p').c_str());
    const std::string head = "Can not open file!\n\n";
    ASSERT_EQ(text.size(), head.size() + 519 + reinstall.size());
    EXPECT_EQ(text.substr(0, head.size() + 9), head + "in Load(\"");
    EXPECT_EQ(text.substr(head.size() + 519), reinstall);
}
