#include "upgrade/HttpHeaderValues.h"

#include <gtest/gtest.h>

TEST(HttpHeaderValues, StatusCodeIsReadLikeAtoi)
{
    EXPECT_EQ(ParseStatusCode("200"), 200u);
    EXPECT_EQ(ParseStatusCode(" 404 Not Found"), 404u);
    EXPECT_EQ(ParseStatusCode("OK"), 0u);
    EXPECT_EQ(ParseStatusCode(""), 0u);
    EXPECT_EQ(ParseStatusCode(nullptr), 0u);
    EXPECT_EQ(ParseStatusCode("99999999999999999999"), 999999u) << "held, not wrapped";
}

TEST(HttpHeaderValues, StatusCodesAreClassified)
{
    EXPECT_EQ(ClassifyStatus(0), StatusOutcome::Fail);
    EXPECT_EQ(ClassifyStatus(1), StatusOutcome::Proceed);
    EXPECT_EQ(ClassifyStatus(200), StatusOutcome::Proceed);
    EXPECT_EQ(ClassifyStatus(302), StatusOutcome::Proceed);
    EXPECT_EQ(ClassifyStatus(399), StatusOutcome::Proceed);
    EXPECT_EQ(ClassifyStatus(400), StatusOutcome::Fail);
    EXPECT_EQ(ClassifyStatus(404), StatusOutcome::Fail);
    EXPECT_EQ(ClassifyStatus(499), StatusOutcome::Fail);
    EXPECT_EQ(ClassifyStatus(500), StatusOutcome::Retry);
    EXPECT_EQ(ClassifyStatus(503), StatusOutcome::Retry);
    EXPECT_EQ(ClassifyStatus(999999), StatusOutcome::Retry);
}

TEST(HttpHeaderValues, ContentLengthIsADecimalNumber)
{
    EXPECT_EQ(ParseContentLength("10000"), 10000);
    EXPECT_EQ(ParseContentLength(" 0 "), 0);
    EXPECT_EQ(ParseContentLength("2147483647"), 2147483647);
}

TEST(HttpHeaderValues, ContentLengthThatIsNoNumberIsUnknown)
{
    EXPECT_EQ(ParseContentLength(nullptr), -1);
    EXPECT_EQ(ParseContentLength(""), -1);
    EXPECT_EQ(ParseContentLength("abc"), -1);
    EXPECT_EQ(ParseContentLength("-5"), -1);
    EXPECT_EQ(ParseContentLength("+5"), -1);
    EXPECT_EQ(ParseContentLength("12abc"), -1);
    EXPECT_EQ(ParseContentLength("1 2"), -1);
    EXPECT_EQ(ParseContentLength("2147483648"), -1);
    EXPECT_EQ(ParseContentLength("99999999999999999999999"), -1);
}
