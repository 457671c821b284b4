#include "TestHooks.h"

#include "saver/SaverFramework.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A handle value that names no window.
std::string NoWindowHandle()
{
    uintptr_t value = 1234;
    while (IsWindow(reinterpret_cast<HWND>(value)))
        ++value;
    return std::to_string(value);
}

int RunSaverMain(const std::string& tail)
{
    saverState = SaverFrameworkState{};
    return SaverMain(GetModuleHandleA(nullptr), nullptr, tail.c_str(), SW_SHOWDEFAULT);
}
} // namespace

TEST(CommandTail, ProgramNameAndFollowingBlanksAreSkipped)
{
    EXPECT_STREQ(CommandTail("saver.scr /s"), "/s");
    EXPECT_STREQ(CommandTail("saver.scr \t  /p 12"), "/p 12");
    EXPECT_STREQ(CommandTail("\"C:\\My Savers\\saver.scr\" /c:5"), "/c:5");
    EXPECT_STREQ(CommandTail("\"C:\\My Savers\\saver.scr\"/s"), "/s");
    EXPECT_STREQ(CommandTail("\"unterminated quote /s"), "");
    EXPECT_STREQ(CommandTail("saver.scr"), "");
    EXPECT_STREQ(CommandTail(""), "");
}

TEST(ParseWindowHandle, LeadingDecimalDigitsOnly)
{
    EXPECT_EQ(ParseWindowHandle("1234"), reinterpret_cast<HWND>(1234));
    EXPECT_EQ(ParseWindowHandle("56 78"), reinterpret_cast<HWND>(56));
    EXPECT_EQ(ParseWindowHandle("0x10"), nullptr);
    EXPECT_EQ(ParseWindowHandle(" 12"), nullptr) << "no leading spaces";
    EXPECT_EQ(ParseWindowHandle("-5"), nullptr) << "no sign";
    EXPECT_EQ(ParseWindowHandle("abc"), nullptr);
    EXPECT_EQ(ParseWindowHandle(""), nullptr);
}

TEST(ParseWindowHandle, DigitsBeyondThirtyTwoBitsWrap)
{
    EXPECT_EQ(ParseWindowHandle("4294967295"), reinterpret_cast<HWND>(uintptr_t{0xFFFFFFFFu}));
    EXPECT_EQ(ParseWindowHandle("4294967296"), nullptr);
    EXPECT_EQ(ParseWindowHandle("4294967297"), reinterpret_cast<HWND>(1));
}

TEST(SaverMain, UnknownSwitchesFail)
{
    EXPECT_EQ(RunSaverMain("/x"), -1);
    EXPECT_EQ(RunSaverMain("/\ts"), -1) << "a tab is no separator";
    EXPECT_EQ(RunSaverMain("?"), -1);
}

TEST(SaverMain, PreviewWithoutUsableParentFails)
{
    EXPECT_EQ(RunSaverMain("/p 0"), -1);
    EXPECT_EQ(RunSaverMain("/p"), -1);
    EXPECT_EQ(RunSaverMain("/p abc"), -1);
    EXPECT_EQ(RunSaverMain("/p:1234"), -1);
    EXPECT_EQ(RunSaverMain("/p " + NoWindowHandle()), -1);
    EXPECT_EQ(RunSaverMain("-l " + NoWindowHandle()), -1);
    EXPECT_EQ(saverState.mainWindow, nullptr);
}

TEST(SaverMain, PasswordChangeExistsOnlyOnWindows9x)
{
    ASSERT_EQ(RunSaverMain(""), 0);
    if (saverState.onWin9x)
        GTEST_SKIP() << "this Wine prefix reports the Windows 9x family";
    EXPECT_EQ(RunSaverMain("/a"), -1);
    EXPECT_EQ(RunSaverMain("-A 1234"), -1);
}

TEST(SaverMain, EmptyTailsOpenTheConfigurationDialog)
{
    TestHooks& hooks = TestHooks::Get();
    hooks.prepareDialogClassesAnswer = FALSE;
    for (const char* tail : {"", "   ", "-/ -//", "/c", "/C:", "c 1234"}) {
        hooks.prepareDialogClassesCalls = 0;
        EXPECT_EQ(RunSaverMain(tail), 0) << tail;
        EXPECT_EQ(hooks.prepareDialogClassesCalls, 1) << tail;
    }
}
