#include "upgrade/HexDigits.h"

#include <algorithm>
#include <vector>

namespace {
const char digits[] = "0123456789abcdef";

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
}  // namespace

bool ParseHex(std::string_view text, uint8_t* bytes, size_t count) {
    if (text.size() != 2 * count)
        return false;
    std::vector<uint8_t> parsed(count);
    for (size_t i = 0; i < count; ++i) {
        const int high = DigitValue(text[2 * i]), low = DigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        parsed[i] = static_cast<uint8_t>(high << 4 | low);
    }
    std::copy(parsed.begin(), parsed.end(), bytes);
    return true;
}

std::string FormatHex(const uint8_t* bytes, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}
