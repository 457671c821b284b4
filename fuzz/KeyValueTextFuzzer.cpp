// Arbitrary bytes as an upgrade manifest: parsing and every lookup must stay
// inside the text, and every value found must follow the value rules.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "upgrade/KeyValueText.h"

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void CheckValue(const KeyValueText& entries, const char* key, size_t size) {
    std::string value;
    for (size_t occurrence = 0; entries.GetValue(key, value, occurrence); ++occurrence) {
        if (value.empty() || value.size() > size)
            std::abort();
        if (value.find('\n') != std::string::npos || value.find(';') != std::string::npos)
            std::abort();
        if (IsBlank(value.front()) || IsBlank(value.back()))
            std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const KeyValueText entries(reinterpret_cast<const char*>(data), size);
    if (entries.GetCount() > size / 2)
        std::abort();  // every entry takes at least a key character or "=" and a value
    for (const char* key : {"version", "url", "url2", ""})
        CheckValue(entries, key, size);
    return 0;
}
