#include "upgrade/Base64.h"

#include <utility>

namespace {
const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of an alphabet character, or -1.
int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}
}  // namespace

std::string EncodeBase64(const uint8_t* data, size_t size) {
    std::string text;
    text.reserve((size + 2) / 3 * 4);
    for (size_t at = 0; at < size; at += 3) {
        const size_t count = size - at < 3 ? size - at : 3;
        uint32_t group = uint32_t{data[at]} << 16;
        if (count > 1)
            group |= uint32_t{data[at + 1]} << 8;
        if (count > 2)
            group |= data[at + 2];
        for (size_t i = 0; i < 4; ++i)
            text += i <= count ? alphabet[(group >> (18 - 6 * i)) & 63] : '=';
    }
    return text;
}

bool DecodeBase64(std::string_view text, std::vector<uint8_t>& bytes) {
    if (text.size() % 4 != 0)
        return false;
    size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    std::vector<uint8_t> decoded;
    decoded.reserve(text.size() / 4 * 3);
    uint32_t bits = 0;
    int bitCount = 0;
    for (size_t i = 0; i < text.size() - padding; ++i) {
        const int sextet = SextetOf(text[i]);
        if (sextet < 0)
            return false;
        bits = (bits << 6 | static_cast<uint32_t>(sextet)) & 0xFFFFFF;
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            decoded.push_back(static_cast<uint8_t>(bits >> bitCount));
        }
    }
    if ((bits & ((1u << bitCount) - 1)) != 0)
        return false;
    bytes = std::move(decoded);
    return true;
}
