#include "upgrade/P256Line.h"

#include "upgrade/Base64.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

bool ParseP256Line(const char* text, size_t size, P256Bytes& value) {
    if (!text)
        return false;
    size_t begin = 0, end = size;
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    std::vector<uint8_t> bytes;
    if (!DecodeBase64(std::string_view(text + begin, end - begin), bytes) ||
        bytes.size() != value.size())
        return false;
    std::copy(bytes.begin(), bytes.end(), value.begin());
    return true;
}

std::string FormatP256Line(const P256Bytes& value) {
    return EncodeBase64(value.data(), value.size()) + "\n";
}
