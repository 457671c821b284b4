// Arbitrary bytes as an upgrade manifest and as its signature line: parsing
// and every lookup must stay inside the text, every value found must follow
// the value rules, and what the signature, base64 and hash parsers accept
// must be the one spelling their writers produce.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "upgrade/Base64.h"
#include "upgrade/HexDigits.h"
#include "upgrade/KeyValueText.h"
#include "upgrade/P256Line.h"
#include "upgrade/UpgradeManifest.h"

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

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'F')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The manifest counts exactly when its first InstallerSHA256 value is 64
// hexadecimal digits, and the hash read is that value.
void CheckManifest(const KeyValueText& entries, const char* text, size_t size) {
    std::string hash;
    const bool wellFormed = entries.GetValue(installerHashKey, hash) && hash.size() == 64 &&
                            hash.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    UpgradeManifest manifest;
    if (ReadUpgradeManifest(text, size, manifest) != wellFormed)
        std::abort();
    if (wellFormed &&
        FormatHex(manifest.installerHash.data(), manifest.installerHash.size()) != Lower(hash))
        std::abort();
}

// What the base64, signature-line and hexadecimal parsers accept is what the
// writers produce from the result.
void CheckRoundTrips(std::string_view text) {
    std::vector<uint8_t> bytes;
    if (DecodeBase64(text, bytes) && EncodeBase64(bytes.data(), bytes.size()) != text)
        std::abort();
    P256Bytes value;
    if (ParseP256Line(text.data(), text.size(), value)) {
        const size_t begin = text.find_first_not_of(" \t\r\n");
        const size_t end = text.find_last_not_of(" \t\r\n") + 1;
        if (FormatP256Line(value) != std::string(text.substr(begin, end - begin)) + "\n")
            std::abort();
    }
    std::vector<uint8_t> digits(text.size() / 2);
    if (ParseHex(text, digits.data(), digits.size()) &&
        FormatHex(digits.data(), digits.size()) != Lower(text))
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const KeyValueText entries(text, size);
    if (entries.GetCount() > size / 2)
        std::abort();  // every entry takes at least a key character or "=" and a value
    for (const char* key : {"version", "url", "url2", installerHashKey, ""})
        CheckValue(entries, key, size);
    CheckManifest(entries, text, size);
    CheckRoundTrips(std::string_view(text, size));
    return 0;
}
