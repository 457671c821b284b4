#include "upgrade/HttpHeaderValues.h"

#include <gtest/gtest.h>

#include <utility>

// Status codes are read like atoi (a long one is held, not wrapped); a length
// that is no decimal number in range is unknown (-1).
TEST(HttpHeaderValues, StatusCodeAndContentLength) {
    const std::pair<const char*, unsigned> codes[] = {
        {"200", 200}, {" 404 Not Found", 404},         {"OK", 0}, {"", 0},
        {nullptr, 0}, {"99999999999999999999", 999999}};
    for (const auto& [text, code] : codes)
        EXPECT_EQ(ParseStatusCode(text), code) << (text ? text : "null");
    const std::pair<unsigned, StatusOutcome> outcomes[] = {
        {0, StatusOutcome::Fail},      {1, StatusOutcome::Proceed}, {399, StatusOutcome::Proceed},
        {400, StatusOutcome::Fail},    {499, StatusOutcome::Fail},  {500, StatusOutcome::Retry},
        {999999, StatusOutcome::Retry}};
    for (const auto& [code, outcome] : outcomes)
        EXPECT_EQ(ClassifyStatus(code), outcome) << code;
    const std::pair<const char*, int> lengths[] = {
        {"10000", 10000}, {" 0 ", 0},         {"2147483647", 2147483647},
        {nullptr, -1},    {"", -1},           {"abc", -1},
        {"-5", -1},       {"+5", -1},         {"12abc", -1},
        {"1 2", -1},      {"2147483648", -1}, {"99999999999999999999999", -1}};
    for (const auto& [text, length] : lengths)
        EXPECT_EQ(ParseContentLength(text), length) << (text ? text : "null");
}
