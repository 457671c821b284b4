#include "upgrade/KeyValueText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

// Each case: a text, how many entries it holds (-1: not counted), and keys
// with the value they give (the first occurrence unless one is named).
TEST(KeyValueText, RulesAndExamples) {
    const char* const none = "<none>";  // no such entry
    struct Lookup {
        const char* key;
        const char* value;
        size_t occurrence = 0;
    };
    const struct {
        std::string text;
        int count;
        std::vector<Lookup> lookups;
    } cases[] = {
        {"version = 1.0.3\r\n\turl=http://h/s.exe  \r\n",
         2,
         {{"version", "1.0.3"}, {"url", "http://h/s.exe"}}},
        {"version=1.0.34.0 ; next release\n", -1, {{"version", "1.0.34.0"}}},
        {"; the newest release\n;version=9\nversion=2\n", 1, {{"version", "2"}}},
        // Values keep inner blanks and equals signs; keys keep inner blanks.
        {"note = a b\tc\nurl = h/get?a=1&b=2\n",
         -1,
         {{"note", "a b\tc"}, {"url", "h/get?a=1&b=2"}}},
        {"file version = 1\n", -1, {{"file version", "1"}, {"file", none}}},
        // Line breaks and comments inside a key belong to it.
        {"ver\nsion = 1\na;b\nc = 2\n",
         -1,
         {{"ver\nsion", "1"}, {"a;b\nc", "2"}, {"version", none}}},
        // An empty value line takes the next line as the value.
        {"version =\n\nurl = x\n", 1, {{"version", "url = x"}, {"url", none}}},
        {"version = ; soon\n; really\n  3.0\n", -1, {{"version", "3.0"}}},
        {"Version = 1.0.34.0\n", -1, {{"version", none}, {"Version", "1.0.34.0"}}},
        {"url = a\nurl = b\n", -1, {{"url", "a"}, {"url", "b", 1}, {"url", none, 2}}},
        // The end of the text without a line break.
        {"version = 1 ; last words", -1, {{"version", "1"}}},
        {"version = 1\n; the end", 1, {{"version", "1"}}},
        {"url = x  ", -1, {{"url", "x"}}},
        {"version = 1\nurl =", 1, {}},
        {"version = 1\nurl =  \n ; nothing\n", 1, {}},
        {"version = 1\nurl", 1, {}},
        {"url ; comment = no value", 0, {}},
        {"", 0, {}},
        {" \r\n\t", 0, {}},
        {"= v\n", -1, {{"", "v"}}},
        // Binary bytes are ordinary characters; a key is compared in full.
        {"k\0ey = v\0al\xff\n\x80=\x01"s, 2, {{"\x80", "\x01"}, {"k", none}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        const KeyValueText entries(c.text.data(), c.text.size());
        if (c.count >= 0)
            EXPECT_EQ(entries.GetCount(), static_cast<size_t>(c.count));
        for (const Lookup& lookup : c.lookups) {
            std::string value = none;
            EXPECT_EQ(entries.GetValue(lookup.key, value, lookup.occurrence), lookup.value != none)
                << lookup.key;
            EXPECT_EQ(value, lookup.value) << lookup.key;
        }
    }
}

TEST(KeyValueText, MissingTextOrKeyGivesNothingAndLeavesTheValue) {
    EXPECT_EQ(KeyValueText(nullptr, 10).GetCount(), 0u);
    std::string value = "before";
    EXPECT_FALSE(KeyValueText("url = x\n", 8).GetValue(nullptr, value));
    EXPECT_EQ(value, "before");
}
