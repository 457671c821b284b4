// Which policy value fixes a setting: the computer's before the user's, and
// only a value that reads as the settings key's values read.
#include "policy/SettingsPolicy.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::vector<uint8_t>;

// A text as stored, with its terminating zero.
Bytes Text(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

Bytes Number(uint32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

SettingsPolicy Levels(const SettingsPolicy::Values& machine, const SettingsPolicy::Values& user) {
    SettingsPolicy policy;
    policy.AddLevel(machine);
    policy.AddLevel(user);
    return policy;
}

}  // namespace

// Names are compared without regard to case, in full.
TEST(SettingsPolicy, TheComputerBeforeTheUserBeforeNothing) {
    const SettingsPolicy policy =
        Levels({{"path", Text("C:\\machine.vqd")}, {"QUICK PLAY", Number(1)}},
               {{"Path", Text("C:\\user.vqd")}, {"Auto repeat", Number(0)}});
    EXPECT_EQ(policy.Text("Path"), "C:\\machine.vqd");
    EXPECT_EQ(policy.Number("Quick play"), 1u);
    EXPECT_EQ(policy.Number("Quick pla"), std::nullopt);
    EXPECT_EQ(policy.Number("Quick play "), std::nullopt);
    EXPECT_EQ(policy.Number("Auto repeat"), 0u);
    EXPECT_EQ(policy.Number("Draw mouse clicks"), std::nullopt);
    EXPECT_EQ(policy.Text("Draw mouse clicks"), std::nullopt);
    EXPECT_EQ(SettingsPolicy().Text("Path"), std::nullopt);
}

// A text fits in 259 bytes with its zero and ends at its first zero; a number
// is exactly four bytes, little-endian; the stored type does not matter.
// Whatever does not read leaves the setting to the next level.
TEST(SettingsPolicy, OnlyAValueThatReadsCounts) {
    const std::string longest(258, 'p');
    const std::pair<Bytes, std::string> texts[] = {
        {Text(longest), longest},
        {Text(longest + "q"), "user's"},
        {Bytes(259, 'p'), std::string(259, 'p')},
        {{'a', 'b', 0, 'c', 0}, "ab"},
        {{}, ""},
        {Number(0x41), "A"},
    };
    for (const auto& [stored, text] : texts)
        EXPECT_EQ(Levels({{"Path", stored}}, {{"Path", Text("user's")}}).Text("Path"), text)
            << stored.size();
    const std::pair<Bytes, uint32_t> numbers[] = {
        {Number(1), 1}, {Number(0x01020304), 0x01020304}, {{1, 0}, 7}, {Bytes(8, 0), 7},
        {Text("1"), 7}, {Text("abc"), 0x00636261},
    };
    for (const auto& [stored, number] : numbers)
        EXPECT_EQ(
            Levels({{"Quick play", stored}}, {{"Quick play", Number(7)}}).Number("Quick play"),
            number)
            << stored.size();
}

// Only a readable 0 turns the check off; the computer's value wins.
TEST(SettingsPolicy, TheUpgradeCheckIsOffOnlyWhenFixedAtZero) {
    const std::tuple<SettingsPolicy::Values, SettingsPolicy::Values, bool> cases[] = {
        {{}, {}, true},
        {{{"Upgrade check", Number(0)}}, {}, false},
        {{}, {{"upgrade check", Number(0)}}, false},
        {{{"Upgrade check", Number(1)}}, {{"Upgrade check", Number(0)}}, true},
        {{{"Upgrade check", Number(2)}}, {}, true},
        {{{"Upgrade check", {0, 0}}}, {{"Upgrade check", Number(0)}}, false},
        {{{"Upgrade check", Text("0")}}, {}, true},
    };
    for (const auto& [machine, user, allowed] : cases)
        EXPECT_EQ(Levels(machine, user).AllowsUpgradeCheck(), allowed);
}
