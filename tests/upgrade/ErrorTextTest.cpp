#include "upgrade/ErrorText.h"

#include <gtest/gtest.h>

#include <string>

TEST(ErrorText, OpenErrorWithPlace)
{
    const std::string text = FormatOpenError("in XDownload::DownloadFile(\"%s\")", "C:\\T\\setup.exe");
    EXPECT_EQ(text, "Can not open file!\n\nin XDownload::DownloadFile(\"C:\\T\\setup.exe\")\n\n"
                    "Please reboot your system or re-install the software, then try again!");
    EXPECT_EQ(LastErrorText(), text);
}

TEST(ErrorText, ReadErrorWithPlace)
{
    EXPECT_EQ(FormatReadError("XFile::Load(\"%s\")", "a.txt"),
              "Can not read file!\n\nXFile::Load(\"a.txt\")\n\n"
              "Please reboot your system or re-install the software, then try again!");
}

TEST(ErrorText, AllocErrorWithoutPlace)
{
    EXPECT_EQ(FormatAllocError(), "Can not allocate memory!\n\nPlease reboot your system, then try again!");
    EXPECT_EQ(LastErrorText(), "Can not allocate memory!\n\nPlease reboot your system, then try again!");
}

TEST(ErrorText, LongPlaceIsCut)
{
    const std::string path(2000, 'p');
    const std::string text = FormatOpenError("in Load(\"%s\")", path.c_str());
    const std::string head = "Can not open file!\n\n";
    const std::string tail = "\n\nPlease reboot your system or re-install the software, then try again!";
    ASSERT_EQ(text.size(), head.size() + 519 + tail.size());
    EXPECT_EQ(text.substr(0, head.size() + 9), head + "in Load(\"");
    EXPECT_EQ(text.substr(head.size() + 519), tail);
}

TEST(ErrorText, LastTextIsTheNewest)
{
    FormatOpenError();
    FormatReadError();
    EXPECT_EQ(LastErrorText().substr(0, 18), "Can not read file!");
}
