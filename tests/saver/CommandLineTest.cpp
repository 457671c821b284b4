#include "SaverWindowFixture.h"

#include "saver/SaverFramework.h"

#include <gtest/gtest.h>

#include <string>

// The exit codes of the command-line table are checked on the built program
// (ModesE2ETest); here the parsing helpers and the hook calls.
TEST(CommandLine, TailSkipsTheProgramNameAndFollowingBlanks) {
    const std::pair<const char*, const char*> cases[] = {
        {"saver.scr /s", "/s"},
        {"saver.scr \t  /p 12", "/p 12"},
        {"\"C:\\My Savers\\saver.scr\" /c:5", "/c:5"},
        {"\"C:\\My Savers\\saver.scr\"/s", "/s"},
        {"\"unterminated quote /s", ""},
        {"saver.scr", ""},
        {"", ""}};
    for (const auto& [line, tail] : cases)
        EXPECT_STREQ(CommandTail(line), tail) << line;
}

TEST(CommandLine, WindowHandleIsLeadingDecimalDigitsWrappingAtPointerWidth) {
    const uintptr_t top32 = 0xFFFFFFFFu;  // past it, a 32-bit program wraps to 0
    const std::pair<const char*, uintptr_t> cases[] = {{"1234", 1234},
                                                       {"56 78", 56},
                                                       {"0x10", 0},
                                                       {" 12", 0},
                                                       {"-5", 0},
                                                       {"abc", 0},
                                                       {"", 0},
                                                       {"4294967295", top32},
                                                       {"4294967296", top32 + 1},
                                                       {"4294967297", top32 + 2}};
    for (const auto& [text, handle] : cases)
        EXPECT_EQ(ParseWindowHandle(text), reinterpret_cast<HWND>(handle)) << text;
}

TEST(CommandLine, EmptyTailsOpenTheConfigurationDialog) {
    TestHooks& hooks = TestHooks::Get();
    hooks.prepareDialogClassesAnswer = FALSE;
    for (const char* tail : {"", "   ", "-/ -//", "/c", "/C:", "c 1234"}) {
        hooks.prepareDialogClassesCalls = 0;
        saverState = SaverFrameworkState{};
        EXPECT_EQ(SaverMain(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWDEFAULT), 0) << tail;
        EXPECT_EQ(hooks.prepareDialogClassesCalls, 1) << tail;
    }
}
