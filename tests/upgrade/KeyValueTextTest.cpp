#include "upgrade/KeyValueText.h"

#include <gtest/gtest.h>

#include <string>

namespace {
KeyValueText Parse(const std::string& text)
{
    return KeyValueText(text.data(), text.size());
}

// The value of key, or "<none>" when there is no such entry.
std::string ValueOf(const KeyValueText& entries, const char* key, size_t occurrence = 0)
{
    std::string value = "<none>";
    entries.GetValue(key, value, occurrence);
    return value;
}
} // namespace

TEST(KeyValueText, ReadsKeysAndValuesAroundBlanks)
{
    const KeyValueText entries = Parse("version = 1.0.34.0\r\n\turl=http://host/setup.exe  \r\n");
    EXPECT_EQ(entries.GetCount(), 2u);
    EXPECT_EQ(ValueOf(entries, "version"), "1.0.34.0");
    EXPECT_EQ(ValueOf(entries, "url"), "http://host/setup.exe");
}

TEST(KeyValueText, CommentAndTrailingBlankLeaveTheValue)
{
    EXPECT_EQ(ValueOf(Parse("version=1.0.34.0 ; next release\n"), "version"), "1.0.34.0");
}

TEST(KeyValueText, CommentLinesAreSkipped)
{
    const KeyValueText entries = Parse("; the newest release\n;version=9\nversion=2\n");
    EXPECT_EQ(entries.GetCount(), 1u);
    EXPECT_EQ(ValueOf(entries, "version"), "2");
}

TEST(KeyValueText, ValuesKeepInnerBlanksAndEqualsSigns)
{
    const KeyValueText entries = Parse("note = a b\tc\nurl = http://host/get?a=1&b=2\n");
    EXPECT_EQ(ValueOf(entries, "note"), "a b\tc");
    EXPECT_EQ(ValueOf(entries, "url"), "http://host/get?a=1&b=2");
}

TEST(KeyValueText, KeysKeepInnerBlanks)
{
    const KeyValueText entries = Parse("file version = 1\n");
    EXPECT_EQ(ValueOf(entries, "file version"), "1");
    EXPECT_EQ(ValueOf(entries, "file"), "<none>");
}

TEST(KeyValueText, LineBreaksAndCommentsInsideAKeyBelongToIt)
{
    const KeyValueText entries = Parse("ver\nsion = 1\na;b\nc = 2\n");
    EXPECT_EQ(ValueOf(entries, "ver\nsion"), "1");
    EXPECT_EQ(ValueOf(entries, "a;b\nc"), "2");
    EXPECT_EQ(ValueOf(entries, "version"), "<none>");
}

TEST(KeyValueText, EmptyValueLineTakesTheNextLineAsValue)
{
    const KeyValueText entries = Parse("version =\n\nurl = x\n");
    EXPECT_EQ(entries.GetCount(), 1u);
    EXPECT_EQ(ValueOf(entries, "version"), "url = x");
    EXPECT_EQ(ValueOf(entries, "url"), "<none>");
}

TEST(KeyValueText, ValueMayStartAfterCommentLines)
{
    EXPECT_EQ(ValueOf(Parse("version = ; soon\n; really\n  3.0\n"), "version"), "3.0");
}

TEST(KeyValueText, KeysAreCaseSensitive)
{
    const KeyValueText entries = Parse("Version = 1.0.34.0\n");
    EXPECT_EQ(ValueOf(entries, "version"), "<none>");
    EXPECT_EQ(ValueOf(entries, "Version"), "1.0.34.0");
}

TEST(KeyValueText, FirstOccurrenceCountsAndLaterOnesAreReachable)
{
    const KeyValueText entries = Parse("url = first\nurl = second\n");
    EXPECT_EQ(ValueOf(entries, "url"), "first");
    EXPECT_EQ(ValueOf(entries, "url", 1), "second");
    EXPECT_EQ(ValueOf(entries, "url", 2), "<none>");
}

TEST(KeyValueText, CommentAtTheEndWithoutLineBreakEndsCleanly)
{
    const KeyValueText entries = Parse("version = 1 ; last words");
    EXPECT_EQ(ValueOf(entries, "version"), "1");
    const KeyValueText commentOnly = Parse("version = 1\n; the end");
    EXPECT_EQ(commentOnly.GetCount(), 1u);
    EXPECT_EQ(ValueOf(commentOnly, "version"), "1");
}

TEST(KeyValueText, LastValueWithoutLineBreakCounts)
{
    EXPECT_EQ(ValueOf(Parse("url = x  "), "url"), "x");
}

TEST(KeyValueText, KeyWithoutValueAtTheEndAddsNothing)
{
    EXPECT_EQ(Parse("version = 1\nurl =").GetCount(), 1u);
    EXPECT_EQ(Parse("version = 1\nurl =  \n ; nothing\n").GetCount(), 1u);
}

TEST(KeyValueText, TextEndingInsideAKeyAddsNothing)
{
    EXPECT_EQ(Parse("version = 1\nurl").GetCount(), 1u);
    EXPECT_EQ(Parse("url ; comment = no value").GetCount(), 0u);
}

TEST(KeyValueText, EmptyAndMissingTextHaveNoEntries)
{
    EXPECT_EQ(KeyValueText().GetCount(), 0u);
    EXPECT_EQ(KeyValueText(nullptr, 10).GetCount(), 0u);
    EXPECT_EQ(Parse("").GetCount(), 0u);
    EXPECT_EQ(Parse(" \r\n\t").GetCount(), 0u);
}

TEST(KeyValueText, EmptyKeyBeforeEqualsSign)
{
    EXPECT_EQ(ValueOf(Parse("= v\n"), ""), "v");
}

TEST(KeyValueText, BinaryBytesAreOrdinaryCharacters)
{
    const std::string text("k\0ey = v\0al\xff\n\x80=\x01", 16);
    const KeyValueText entries = Parse(text);
    EXPECT_EQ(entries.GetCount(), 2u);
    EXPECT_EQ(ValueOf(entries, "\x80"), "\x01");
    std::string value;
    EXPECT_FALSE(entries.GetValue("k", value)) << "a key is compared in full";
}

TEST(KeyValueText, NullKeyOrMissingKeyLeavesTheValueUnchanged)
{
    const KeyValueText entries = Parse("url = x\n");
    std::string value = "before";
    EXPECT_FALSE(entries.GetValue(nullptr, value));
    EXPECT_FALSE(entries.GetValue("version", value));
    EXPECT_EQ(value, "before");
    EXPECT_TRUE(entries.GetValue("url", value));
    EXPECT_EQ(value, "x");
}
