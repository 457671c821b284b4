// upgrade-sign's commands, run in-process on files in a folder of their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <openssl/evp.h>
#include <openssl/pem.h>

#include "InstallerHashEntry.h"
#include "SignCommands.h"

namespace stdfs = std::filesystem;

namespace {
const std::string hashOfAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

int RunCommand(int (*command)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int code = command(static_cast<int>(args.size()), argv.data());
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    return code;
}

std::string Read(const stdfs::path& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

void Write(const stdfs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// A private key of another 256-bit curve (secp256k1) as PEM.
void WriteOtherCurveKey(const std::string& path) {
    EVP_PKEY* key = EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "secp256k1");
    FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_TRUE(key && file);
    PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr);
    std::fclose(file);
    EVP_PKEY_free(key);
}

class UpgradeSign : public testing::Test {
  protected:
    UpgradeSign() {
        stdfs::remove_all(folder);
        stdfs::create_directories(folder);
        Write(installer, "abc");
        Write(manifest, "version = 2\nurl = http://host/setup.exe\n");
    }
    ~UpgradeSign() override { stdfs::remove_all(folder); }
    std::string In(const char* name) const { return (folder / name).string(); }
    int Keygen(const char* name) { return RunCommand(RunKeygen, {"--out", In(name)}); }
    int Sign(std::vector<std::string> options) {
        options.insert(options.begin(), {"--key", In("key/private.pem")});
        options.push_back(manifest);
        return RunCommand(RunSignManifest, options);
    }
    int Verify(const char* keyFolder = "key") {
        return RunCommand(RunVerify, {"--pub", In(keyFolder) + "/public.txt", manifest});
    }

    const stdfs::path folder = stdfs::temp_directory_path() / "qv-upgrade-sign-test";
    const std::string installer = In("setup.exe"), manifest = In("upgrade.txt");
};
}  // namespace

TEST_F(UpgradeSign, SignedManifestVerifiesUntilAByteChanges) {
    ASSERT_EQ(Keygen("key"), 0);
    EXPECT_EQ(stdfs::status(In("key/private.pem")).permissions() & stdfs::perms::all,
              stdfs::perms::owner_read | stdfs::perms::owner_write);
    EXPECT_EQ(Keygen("key"), 1) << "never replaces a key";
    ASSERT_EQ(Sign({"--installer", installer}), 0);
    EXPECT_EQ(Read(manifest),
              "version = 2\nurl = http://host/setup.exe\nInstallerSHA256=" + hashOfAbc + "\n");
    EXPECT_EQ(Read(manifest + ".sig").size(), 89u) << "88 characters of base64 and a line feed";
    EXPECT_EQ(Verify(), 0);
    ASSERT_EQ(Keygen("other"), 0);
    EXPECT_EQ(Verify("other"), 1);
    const std::string signedText = Read(manifest);
    Write(manifest, signedText.substr(0, 10) + "3" + signedText.substr(11));
    EXPECT_EQ(Verify(), 1);
    Write(manifest, signedText);
    EXPECT_EQ(Verify(), 0);
    stdfs::remove(manifest + ".sig");
    EXPECT_EQ(Verify(), 1);
}

TEST_F(UpgradeSign, SigningAgainRefreshesTheHashAndAManifestWithoutOneIsRefused) {
    ASSERT_EQ(Keygen("key"), 0);
    ASSERT_EQ(Sign({"--installer", installer}), 0);
    Write(installer, "");
    ASSERT_EQ(Sign({"--installer", installer}), 0);
    const std::string text = Read(manifest);
    EXPECT_EQ(text.find(hashOfAbc), std::string::npos);
    EXPECT_NE(text.find("InstallerSHA256=e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7"
                        "852b855\n"),
              std::string::npos);
    EXPECT_EQ(text.find("InstallerSHA256"), text.rfind("InstallerSHA256"));
    EXPECT_EQ(Verify(), 0);
    Write(manifest, "version = 2\nurl = http://host/setup.exe\n");
    ASSERT_EQ(Sign({}), 0) << "signed as it stands";
    EXPECT_EQ(Verify(), 1) << "but not offered by a saver";
    // The added entry would become the value of "url =".
    Write(manifest, "version = 2\nurl =\n");
    EXPECT_EQ(Sign({"--installer", installer}), 1);
    EXPECT_EQ(Read(manifest), "version = 2\nurl =\n");
}

TEST_F(UpgradeSign, BadArgumentsAndFiles) {
    ASSERT_EQ(Keygen("key"), 0);
    WriteOtherCurveKey(In("secp256k1.pem"));
    const std::pair<int (*)(int, char**), std::vector<std::string>> usage[] = {
        {RunKeygen, {}},
        {RunKeygen, {"--out"}},
        {RunKeygen, {"--out", In("x"), "extra"}},
        {RunSignManifest, {manifest}},
        {RunSignManifest, {"--key", In("key/private.pem")}},
        {RunSignManifest, {"--key", In("key/private.pem"), "--bogus", "x", manifest}},
        {RunVerify, {manifest}},
        {RunVerify, {"--pub", In("key/public.txt"), manifest, manifest}},
    };
    for (const auto& [command, args] : usage)
        EXPECT_EQ(RunCommand(command, args), 2) << testing::PrintToString(args);
    const std::vector<std::string> badFiles[] = {
        {"--key", In("key/public.txt"), manifest},
        {"--key", In("secp256k1.pem"), manifest},
        {"--key", In("missing.pem"), manifest},
        {"--key", In("key/private.pem"), In("missing.txt")},
        {"--key", In("key/private.pem"), "--installer", In("missing.exe"), manifest},
    };
    for (const auto& args : badFiles)
        EXPECT_EQ(RunCommand(RunSignManifest, args), 1) << testing::PrintToString(args);
    EXPECT_FALSE(stdfs::exists(manifest + ".sig"));
    EXPECT_EQ(RunCommand(RunVerify, {"--pub", In("key/private.pem"), manifest}), 1);
}

// Every line whose key is InstallerSHA256 goes; the rest stays byte for byte.
TEST(InstallerHashEntry, ReplacesEveryEntryOfTheKeyAndAppendsOne) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a = 1\n", "a = 1\n"},
        {"a = 1", "a = 1\n"},
        {"a = 1\n \t", "a = 1\n \t\n"},
        {"  InstallerSHA256 = old\r\n \nb = 2\r\nInstallerSHA256\t=old", " \nb = 2\r\n"},
        {"InstallerSHA256x = keep\nnote = InstallerSHA256=keep\nkey_of_15_chars = keep\n",
         "InstallerSHA256x = keep\nnote = InstallerSHA256=keep\nkey_of_15_chars = keep\n"},
    };
    for (const auto& [before, kept] : cases)
        EXPECT_EQ(WithInstallerHash(before, "HEX"), kept + "InstallerSHA256=HEX\n") << before;
}
