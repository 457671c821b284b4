#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "saver/NaturalOrder.h"
#include "saver/Playlist.h"

namespace {

using Names = std::vector<std::string>;

TEST(NaturalOrder, SortsAsAFileBrowserListsNames) {
    Names names = {"clip10.vqd", "Clip2.vqd", "clip1.vqd", "b.vqd", "B.vqd",     "a 007.vqd",
                   "a 7.vqd",    "a 70.vqd",  "clip.vqd",  "A.vqd", "a.vqd.exe", "clipa.vqd"};
    std::sort(names.begin(), names.end(), NaturalLess);
    EXPECT_EQ(names,
              (Names{"a 7.vqd", "a 007.vqd", "a 70.vqd", "A.vqd", "a.vqd.exe", "B.vqd", "b.vqd",
                     "clip.vqd", "clip1.vqd", "Clip2.vqd", "clip10.vqd", "clipa.vqd"}));
    EXPECT_FALSE(NaturalLess("x", "x"));
    EXPECT_TRUE(NaturalLess("x", "x1")) << "a prefix comes first";
    EXPECT_TRUE(NaturalLess("x", "X1")) << "whatever the case";
    EXPECT_FALSE(NaturalLess("x1", "x"));
    EXPECT_TRUE(NaturalLess("v99", "v100"));
    EXPECT_TRUE(NaturalLess("99999999999999999999", "100000000000000000000")) << "no overflow";
}

Names Played(Playlist& list, size_t count, bool repeat) {
    Names played;
    for (size_t at = 0; at != Playlist::kEnd && played.size() < count; at = list.Next(at, repeat))
        played.push_back(list.At(at));
    return played;
}

TEST(Playlist, PlaysInNameOrderOnceOrOverAndOver) {
    Playlist list;
    list.Arrange({"3.vqd", "10.vqd", "1.vqd"}, false, "", 7);
    EXPECT_EQ(Played(list, 10, false), (Names{"1.vqd", "3.vqd", "10.vqd"}));
    EXPECT_EQ(Played(list, 7, true),
              (Names{"1.vqd", "3.vqd", "10.vqd", "1.vqd", "3.vqd", "10.vqd", "1.vqd"}));
    EXPECT_EQ(list.Next(Playlist::kEnd, true), Playlist::kEnd);
    Playlist empty;
    empty.Arrange({}, true, "x", 1);
    EXPECT_EQ(empty.Next(0, true), Playlist::kEnd);
}

// Over many starts a shuffled list never begins with the last start's first,
// every name gets to be first, and each round holds every name once, the
// next round not beginning with the name that ended the last.
TEST(Playlist, AShuffleNeverStartsWithTheFirstOfTheLastStartOrRepeatsAName) {
    const Names folder = {"a", "b", "c", "d"};
    std::string first = "c";
    std::set<std::string> firsts;
    for (uint32_t start = 0; start < 200; ++start) {
        Playlist list;
        list.Arrange(folder, true, first, start * 2654435761u);
        const Names played = Played(list, 12, true);
        ASSERT_NE(played.front(), first) << "start " << start;
        first = played.front();
        firsts.insert(first);
        for (size_t round = 0; round < 3; ++round) {
            Names names(played.begin() + 4 * round, played.begin() + 4 * round + 4);
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, folder);
            if (round > 0)
                EXPECT_NE(played[4 * round], played[4 * round - 1]);
        }
    }
    EXPECT_EQ(firsts.size(), folder.size());
    Playlist two;
    two.Arrange({"x", "y"}, true, "x", 3);
    EXPECT_EQ(Played(two, 6, true), (Names{"y", "x", "y", "x", "y", "x"}));
    Playlist one;
    one.Arrange({"x"}, true, "x", 3);
    EXPECT_EQ(Played(one, 2, true), (Names{"x", "x"})) << "one name is all there is";
}

}  // namespace
