#include "upgrade/HttpHeaderValues.h"

#include <climits>

namespace {
const unsigned largestStatus = 999999;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

unsigned ParseStatusCode(const char* text) {
    if (!text)
        return 0;
    while (IsBlank(*text))
        ++text;
    unsigned status = 0;
    for (; IsDigit(*text); ++text) {
        status = status * 10 + static_cast<unsigned>(*text - '0');
        if (status > largestStatus)
            return largestStatus;
    }
    return status;
}

int ParseContentLength(const char* text) {
    if (!text)
        return -1;
    while (IsBlank(*text))
        ++text;
    if (!IsDigit(*text))
        return -1;
    long long length = 0;
    for (; IsDigit(*text); ++text) {
        length = length * 10 + (*text - '0');
        if (length > INT_MAX)
            return -1;
    }
    while (IsBlank(*text))
        ++text;
    return *text == '\0' ? static_cast<int>(length) : -1;
}

StatusOutcome ClassifyStatus(unsigned status) {
    if (status >= 500)
        return StatusOutcome::Retry;
    if (status == 0 || status >= 400)
        return StatusOutcome::Fail;
    return StatusOutcome::Proceed;
}
