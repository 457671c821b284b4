// The platform-free texts of a signed upgrade: base64, hexadecimal digits, the
// signature and key lines, and the manifest's installer hash.
#include "upgrade/Base64.h"
#include "upgrade/HexDigits.h"
#include "upgrade/P256Line.h"
#include "upgrade/UpgradeManifest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

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
        {"InstallerSHA256 = " + std::string(64, 'A') + " ; upper case\nversion = 2\nurl = u\n",
         true},
        {"version = 2\nurl = u\n", false},
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
