// upgrade-sign's commands, run in-process on files in a folder of their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "InstallerHashEntry.h"
#include "SignCommands.h"

namespace stdfs = std::filesystem;

namespace {
const std::string hashOfAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

int RunCommand(int (*command)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    testing::internal::CaptureStderr();  // the usage texts
    const int code = command(static_cast<int>(args.size()), argv.data());
    testing::internal::GetCapturedStderr();
    return code;
}

std::string Read(const std::string& path) {
    return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

void Write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class UpgradeSign : public testing::Test {
  protected:
    UpgradeSign() {
        stdfs::remove_all(folder);
        stdfs::create_directories(folder);
        Write(installer, "abc");
        Write(manifest, "version = 2\nurl = http://host/setup.exe\n");
        EXPECT_EQ(RunCommand(RunKeygen, {"--out", In("key")}), 0);
    }
    ~UpgradeSign() override { stdfs::remove_all(folder); }
    std::string In(const char* name) const { return (folder / name).string(); }
    int Sign() {
        return RunCommand(RunSignManifest, {"--key", key, "--installer", installer, manifest});
    }
    int Verify() { return RunCommand(RunVerify, {"--pub", In("key/public.txt"), manifest}); }

    const stdfs::path folder = stdfs::temp_directory_path() / "qv-upgrade-sign-test";
    const std::string installer = In("setup.exe"), manifest = In("upgrade.txt");
    const std::string key = In("key/private.pem");
};
}  // namespace

TEST_F(UpgradeSign, SignedManifestVerifiesUntilAByteChanges) {
    EXPECT_EQ(stdfs::status(key).permissions() & stdfs::perms::all,
              stdfs::perms::owner_read | stdfs::perms::owner_write);
    EXPECT_EQ(RunCommand(RunKeygen, {"--out", In("key")}), 1) << "never replaces a key";
    ASSERT_EQ(Sign(), 0);
    const std::string signedText = Read(manifest);
    EXPECT_EQ(signedText,
              "version = 2\nurl = http://host/setup.exe\nInstallerSHA256=" + hashOfAbc + "\n");
    EXPECT_EQ(Read(manifest + ".sig").size(), 89u) << "88 characters of base64 and a line feed";
    EXPECT_EQ(Verify(), 0);
    Write(manifest, signedText.substr(0, 10) + "3" + signedText.substr(11));
    EXPECT_EQ(Verify(), 1);
    Write(manifest, signedText);
    stdfs::remove(manifest + ".sig");
    EXPECT_EQ(Verify(), 1);
}

// Signing again refreshes the entry (see InstallerHashEntry below).
TEST_F(UpgradeSign, AManifestWithoutAHashIsNotOfferedAndOneThatWouldSwallowItIsRefused) {
    ASSERT_EQ(RunCommand(RunSignManifest, {"--key", key, manifest}), 0) << "signed as it stands";
    EXPECT_EQ(Verify(), 1) << "but not offered by a saver";
    // The added entry would become the value of "url =".
    Write(manifest, "version = 2\nurl =\n");
    EXPECT_EQ(Sign(), 1);
    EXPECT_EQ(Read(manifest), "version = 2\nurl =\n");
}

// Usage faults end with 2, unreadable or unusable files with 1.
TEST_F(UpgradeSign, BadArgumentsAndFiles) {
    EXPECT_EQ(RunCommand(RunKeygen, {"--out", In("x"), "extra"}), 2);
    EXPECT_EQ(RunCommand(RunSignManifest, {"--key", key}), 2);
    EXPECT_EQ(RunCommand(RunVerify, {manifest}), 2);
    EXPECT_EQ(RunCommand(RunSignManifest, {"--key", In("key/public.txt"), manifest}), 1);
    EXPECT_EQ(RunCommand(RunSignManifest, {"--key", key, "--installer", In("none"), manifest}), 1);
    EXPECT_FALSE(stdfs::exists(manifest + ".sig"));
    EXPECT_EQ(RunCommand(RunVerify, {"--pub", key, manifest}), 1);
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
         "InstallerSHA256x = keep\nnote = InstallerSHA256=keep\nkey_of_15_chars = keep\n"}};
    for (const auto& [before, kept] : cases)
        EXPECT_EQ(WithInstallerHash(before, "HEX"), kept + "InstallerSHA256=HEX\n") << before;
}
