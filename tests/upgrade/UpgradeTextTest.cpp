// The platform-free texts of the upgrade check: the key-value text, base64,
// hexadecimal digits, the signature and key lines, the manifest's installer
// hash, HTTP header values, the error text and how a package is installed.
#include "upgrade/Base64.h"
#include "upgrade/ErrorText.h"
#include "upgrade/HexDigits.h"
#include "upgrade/HttpHeaderValues.h"
#include "upgrade/InstallerPackage.h"
#include "upgrade/KeyValueText.h"
#include "upgrade/P256Line.h"
#include "upgrade/UpgradeManifest.h"

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
    const std::tuple<std::string, int, std::vector<Lookup>> cases[] = {
        {"version = 1.0.3\r\n\turl=h/s.exe  \r\n", 2, {{"version", "1.0.3"}, {"url", "h/s.exe"}}},
        {"version=1.0.34.0 ; next release\n", -1, {{"version", "1.0.34.0"}}},
        {"; the newest release\n;version=9\nversion=2\n", 1, {{"version", "2"}}},
        // Values keep inner blanks and equals signs; keys keep inner blanks.
        {"note = a b\tc\nfile version = h?a=1&b=2\n",
         -1,
         {{"note", "a b\tc"}, {"file version", "h?a=1&b=2"}, {"file", none}}},
        // Line breaks and comments inside a key belong to it.
        {"a\nb = 1\nc;d\ne = 2\n", -1, {{"a\nb", "1"}, {"c;d\ne", "2"}, {"ab", none}, {"b", none}}},
        // An empty value line takes the next line as the value.
        {"version =\n\nurl = x\n", 1, {{"version", "url = x"}, {"url", none}}},
        {"version = ; soon\n; really\n  3.0\n", -1, {{"version", "3.0"}}},
        {"Version = 1.0.34.0\n", -1, {{"version", none}, {"Version", "1.0.34.0"}}},
        {"url = a\nurl = b\n", -1, {{"url", "a"}, {"url", "b", 1}, {"url", none, 2}}},
        // The end of the text without a line break.
        {"version = 1 ; last words", 1, {{"version", "1"}}},
        {"version = 1\n; the end", 1, {{"version", "1"}}},
        {"version = 1\nurl =", 1, {}},
        {"version = 1\nurl", 1, {}},
        {"version = 1\nurl =  \n ; nothing\n", 1, {}},
        {"url = x  ", -1, {{"url", "x"}}},
        {"", 0, {}},
        {"url ; comment = no value", 0, {}},
        {" \r\n\t", 0, {}},
        {"= v\n", -1, {{"", "v"}}},
        // Binary bytes are ordinary characters; a key is compared in full.
        {"k\0ey = v\0al\xff\n\x80=\x01"s, 2, {{"\x80", "\x01"}, {"k", none}}},
    };
    for (const auto& [text, count, lookups] : cases) {
        SCOPED_TRACE(testing::PrintToString(text));
        const KeyValueText entries(text.data(), text.size());
        if (count >= 0)
            EXPECT_EQ(entries.GetCount(), static_cast<size_t>(count));
        for (const Lookup& lookup : lookups) {
            std::string value = none;
            EXPECT_EQ(entries.GetValue(lookup.key, value, lookup.occurrence), lookup.value != none)
                << lookup.key;
            EXPECT_EQ(value, lookup.value) << lookup.key;
        }
    }
    // A missing text or key gives nothing and leaves the value.
    EXPECT_EQ(KeyValueText(nullptr, 10).GetCount(), 0u);
    std::string value = "before";
    EXPECT_FALSE(KeyValueText("url = x\n", 8).GetValue(nullptr, value));
    EXPECT_EQ(value, "before");
}

TEST(SignedUpgradeTexts, Base64BothWaysAndOnlyTheOneSpelling) {
    const std::pair<std::string, const char*> known[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"\xfb\xff", "+/8="},
                                                         {"\xff\xfe\x00"s, "//4A"},
                                                         {"\xd3\x4d\x34", "0000"}};
    for (const auto& [bytes, text] : known) {
        const std::vector<uint8_t> data(bytes.begin(), bytes.end());  // no byte after the end
        EXPECT_EQ(EncodeBase64(data.data(), data.size()), text);
        std::vector<uint8_t> decoded{1};
        EXPECT_TRUE(DecodeBase64(text, decoded)) << text;
        EXPECT_EQ(std::string(decoded.begin(), decoded.end()), bytes) << text;
    }
    for (const char* text : {"Zg=", "Zh==", "Zm9=", "Zm9v\n", "Z===", "A===", "====", "Zm=v",
                             "Zg==Zg==", "Zm9 ", "Zm9-", "Zm9\xff"}) {
        std::vector<uint8_t> decoded{1};
        EXPECT_FALSE(DecodeBase64(text, decoded)) << text;
        EXPECT_EQ(decoded, std::vector<uint8_t>{1}) << text;
    }
}

TEST(SignedUpgradeTexts, HexDigits) {
    uint8_t bytes[4] = {9, 9, 9, 9};
    EXPECT_TRUE(ParseHex("09aF10Af", bytes, 4));
    EXPECT_EQ(FormatHex(bytes, 4), "09af10af");
    for (const char* text : {"00ff10a", "00ff10abc", "00ff10ag", "00ff 0ab", ""})
        EXPECT_FALSE(ParseHex(text, bytes, 4)) << text;
    EXPECT_EQ(FormatHex(bytes, 4), "09af10af") << "unchanged by the failures";
}

// One line of base64 of 64 bytes, with blanks around it at most.
TEST(SignedUpgradeTexts, P256Line) {
    P256Bytes value;
    for (size_t i = 0; i < value.size(); ++i)
        value[i] = static_cast<uint8_t>(i * 37);
    const std::string line = FormatP256Line(value), body = line.substr(0, 88);
    EXPECT_EQ(line, body + "\n");
    for (const std::string& text : {line, body, " \t" + body + "\r\n\r\n"}) {
        P256Bytes parsed{};
        EXPECT_TRUE(ParseP256Line(text.data(), text.size(), parsed)) << text;
        EXPECT_EQ(parsed, value) << text;
    }
    for (const std::string& text :
         {body.substr(0, 40) + "\n" + body.substr(40), body.substr(0, 40) + " " + body.substr(40),
          EncodeBase64(value.data(), 63), body.substr(0, 84) + EncodeBase64(value.data(), 5), ""s,
          "\r\n"s}) {
        P256Bytes parsed{};
        EXPECT_FALSE(ParseP256Line(text.data(), text.size(), parsed)) << text;
        EXPECT_EQ(parsed, P256Bytes{}) << text;
    }
    EXPECT_FALSE(ParseP256Line(nullptr, 88, value));
}

TEST(SignedUpgradeTexts, AManifestCountsOnlyWithAnInstallerHash) {
    const std::string hash(64, 'a');
    const std::pair<std::string, bool> cases[] = {
        {"version = 2\nurl = u\nurl2 = v\nInstallerSHA256=" + hash + "\n", true},
        {"version = 2\nurl = u\n", false},
        {"InstallerSHA256 = " + std::string(64, 'A') + " ; upper case\nversion = 2\nurl = u\n",
         true},
        {"InstallerSHA256=" + hash.substr(1) + "g\n", false},  // as ParseHex
        {"installersha256=" + hash + "\n", false},
        {"InstallerSHA256=\nInstallerSHA256=" + hash + "\n", false}};  // the first counts
    for (const auto& [text, counts] : cases) {
        UpgradeManifest manifest;
        manifest.version = "untouched";
        EXPECT_EQ(ReadUpgradeManifest(text.data(), text.size(), manifest), counts) << text;
        EXPECT_EQ(manifest.version, counts ? "2" : "untouched") << text;
        EXPECT_EQ(manifest.installerUrl, counts ? "u" : "") << text;
        EXPECT_EQ(FormatHex(manifest.installerHash.data(), 32),
                  counts ? hash : std::string(64, '0'));
    }
}

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

// A place is cut to 519 characters; the text stays until the next one.
TEST(ErrorText, LongPlaceIsCut) {
    const std::string text = FormatOpenError("%s!", std::string(2000, 'p').c_str());
    EXPECT_EQ(text,
              "Can not open file!\n\n" + std::string(519, 'p') +
                  "\n\nPlease reboot your system or re-install the software, then try again!");
    EXPECT_EQ(LastErrorText(), text);
}

// Only a name ending in ".msi", in any case, is a package; msiexec gets its
// path quoted, blanks and all.
TEST(InstallerPackage, NamedByItsExtensionAndInstalledByMsiexec) {
    const std::pair<const char*, bool> names[] = {{"C:\\Temp\\qvsstemp\\setup.msi", true},
                                                  {"SETUP.MSI", true},
                                                  {".msi", true},
                                                  {"setup.exe", false},
                                                  {"setup.msi.exe", false},
                                                  {"msi", false},
                                                  {"setup.msix", false},
                                                  {"a.Msi", true},
                                                  {"setup.ms", false},
                                                  {"", false}};
    for (const auto& [name, package] : names)
        EXPECT_EQ(IsInstallerPackage(name), package) << name;
    EXPECT_EQ(PackageInstallCommandLine("C:\\Documents and Settings\\a b\\setup.msi"),
              "msiexec /i \"C:\\Documents and Settings\\a b\\setup.msi\"");
}
