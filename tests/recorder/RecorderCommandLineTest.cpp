// The recorder's command line: what each form asks for, and a usage problem
// for everything else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder/CaptureRegion.h"
#include "recorder/RecorderCommandLine.h"

namespace {
using Kind = RecorderCommand::Kind;
using Args = std::vector<std::string>;

std::string Describe(const RecorderCommand& c) {
    const char* kinds[] = {"window", "record", "stop", "usage"};
    return std::string(kinds[int(c.kind)]) + " " + c.file + " s" + std::to_string(c.seconds) +
           " fps" + std::to_string(c.framesPerSecond) + " bits" + std::to_string(c.bitsPerPixel) +
           (c.wholeScreen ? " screen" : " " + RectText(c.region));
}
}  // namespace

TEST(RecorderCommandLine, EachFormAndItsValues) {
    const std::pair<Args, std::string> cases[] = {
        {{}, "window  s0 fps10 bits16 screen"},
        {{"/record", "C:\\a b.vqd"}, "record C:\\a b.vqd s0 fps10 bits16 screen"},
        {{"-RECORD", "x.vqd", "/Seconds", "4", "/fps", "30", "/region", "-10,0,300,200", "/bits",
          "32"},
         "record x.vqd s4 fps30 bits32 (-10, 0)-(300, 200)"},
        {{"/fps", "1", "/seconds", "86400", "/record", "y.vqd"},
         "record y.vqd s86400 fps1 bits16 screen"},
        {{"/record", "x.vqd", "/seconds", "4", "/stop"}, "stop x.vqd s4 fps10 bits16 screen"},
        {{"/stop", "/record", "x.vqd"}, "stop x.vqd s0 fps10 bits16 screen"},
        {{"/region", "5,5,5,9", "/record", "z.vqd"}, "record z.vqd s0 fps10 bits16 (5, 5)-(5, 9)"},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(Describe(ParseRecorderCommand(args)), expected) << expected;
}

TEST(RecorderCommandLine, UsageProblemsNameWhatIsWrong) {
    const std::pair<Args, std::string> cases[] = {
        {{"/record"}, "/record needs a value"},
        {{"/seconds", "4"}, "/record FILE names the recording"},
        {{"file.vqd"}, "unexpected argument file.vqd"},
        {{"/record", "x.vqd", "/loop", "1"}, "unknown option /loop"},
        {{"/record", "x.vqd", "/fps", "31"}, "/fps takes a whole number from 1 to 30, not 31"},
        {{"/record", "x.vqd", "/fps", "1O"}, "/fps takes a whole number from 1 to 30, not 1O"},
        {{"/record", "x.vqd", "/seconds", "86401"},
         "/seconds takes a whole number from 1 to 86400, not 86401"},
        {{"/record", "x.vqd", "/seconds", "99999999999"},
         "/seconds takes a whole number from 1 to 86400, not 99999999999"},
        {{"/record", "x.vqd", "/region", "1,2,3"},
         "/region takes LEFT,TOP,RIGHT,BOTTOM in pixels, not 1,2,3"},
        {{"/record", "x.vqd", "/region", "1,2,3,4,"},
         "/region takes LEFT,TOP,RIGHT,BOTTOM in pixels, not 1,2,3,4,"},
        {{"/record", "x.vqd", "/bits", "24"}, "/bits takes 16 or 32, not 24"},
    };
    for (const auto& [args, problem] : cases) {
        const RecorderCommand c = ParseRecorderCommand(args);
        EXPECT_EQ(c.kind, Kind::Usage) << problem;
        EXPECT_EQ(c.problem, problem);
    }
}

TEST(CaptureRegion, ARegionNeedsAnAreaAndTheScreenAroundIt) {
    const Rect screen{-1024, 0, 1024, 768};  // two monitors, the primary on the right
    EXPECT_EQ(RegionProblem({-1024, 0, 1024, 768}, screen), "");
    EXPECT_EQ(RegionProblem({-20, 10, 20, 11}, screen), "");
    EXPECT_EQ(RegionProblem({5, 5, 5, 9}, screen),
              "The region (5, 5)-(5, 9) is empty: it needs a width and a height.");
    EXPECT_EQ(RegionProblem({5, 9, 10, 4}, screen),
              "The region (5, 9)-(10, 4) is empty: it needs a width and a height.");
    for (const Rect& outside : {Rect{-1025, 0, 0, 10}, Rect{0, -1, 10, 10}, Rect{0, 0, 1025, 10},
                                Rect{0, 0, 10, 769}, Rect{2000, 2000, 2100, 2100}})
        EXPECT_EQ(
            RegionProblem(outside, screen),
            "The region " + RectText(outside) + " is not on the screen (-1024, 0)-(1024, 768).");
}
