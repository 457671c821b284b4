// The saver's signature and hash checks with the system's cryptography,
// against manifests signed at build time by upgrade-sign.
#include "e2e/TestProcess.h"
#include "upgrade/HeldFile.h"
#include "upgrade/HexDigits.h"
#include "upgrade/Sha256Hash.h"
#include "upgrade/SignedManifest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {
std::string Content(const std::string& windowsPath) {
    std::ostringstream content;
    content << std::ifstream(windowsPath, std::ios::binary).rdbuf();
    return content.str();
}

std::string Signed(const std::string& name) {
    return Content(e2e::WindowsPath(QV_SIGNED_MANIFESTS "/" + name));
}

P256Bytes KeyOf(const std::string& hostPath) {
    const std::string text = Content(e2e::WindowsPath(hostPath));
    P256Bytes key{};
    EXPECT_TRUE(ParseP256Line(text.data(), text.size(), key)) << hostPath;
    return key;
}

std::string WithSignatureBitFlipped(const std::string& line, size_t byte, int bit) {
    P256Bytes signature{};
    EXPECT_TRUE(ParseP256Line(line.data(), line.size(), signature));
    signature[byte] ^= static_cast<uint8_t>(1 << bit);
    return FormatP256Line(signature);
}

std::string HexOf(const Sha256Digest& digest) {
    return FormatHex(digest.data(), digest.size());
}

std::string TempFile(const char* name) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + name;
}
}  // namespace

TEST(SignatureCheck, OnlyASignatureOfExactlyTheseBytesUnderTheKeyCounts) {
    const SystemCrypto crypto;
    ASSERT_TRUE(crypto.IsAvailable());
    const P256Bytes key = KeyOf(QV_DEVELOPMENT_PUBLIC_KEY);
    const P256Bytes otherKey = KeyOf(QV_SIGNED_MANIFESTS "/other-key/public.txt");
    const std::string manifest = Signed("newer.txt"), signature = Signed("newer.txt.sig");
    std::string changed = manifest;
    changed[changed.find("1.0.34.0") + 5] ^= 1;  // 1.0.35.0
    const struct {
        const char* what;
        std::string manifest, signature;
        P256Bytes key;
        bool counts;
    } cases[] = {
        {"as signed", manifest, signature, key, true},
        {"first signature bit flipped", manifest, WithSignatureBitFlipped(signature, 0, 7), key,
         false},
        {"last signature bit flipped", manifest, WithSignatureBitFlipped(signature, 63, 0), key,
         false},
        {"one manifest bit flipped", changed, signature, key, false},
        {"another key", manifest, signature, otherKey, false},
        {"signed with another key", Signed("other-key.txt"), Signed("other-key.txt.sig"), key,
         false},
        {"signature of another manifest", manifest, Signed("older.txt.sig"), key, false},
        {"no signature", manifest, "", key, false},
        {"no InstallerSHA256", Signed("no-installer-hash.txt"), Signed("no-installer-hash.txt.sig"),
         key, false},
    };
    for (const auto& c : cases) {
        UpgradeManifest read;
        read.version = "untouched";
        EXPECT_EQ(ReadSignedManifest(crypto, c.key, c.manifest, c.signature, read), c.counts)
            << c.what;
        EXPECT_EQ(read.version, c.counts ? "1.0.34.0" : "untouched") << c.what;
    }
}

// upgrade-sign's hash of the installer is what the saver computes from the file.
TEST(SignatureCheck, TheManifestNamesTheInstallersHash) {
    const SystemCrypto crypto;
    const std::string manifest = Signed("newer.txt");
    UpgradeManifest read;
    ASSERT_TRUE(ReadUpgradeManifest(manifest.data(), manifest.size(), read));
    const HeldFile installer(e2e::WindowsPath(QV_TEST_INSTALLER_PATH));
    Sha256Digest digest{};
    ASSERT_TRUE(installer.Sha256(crypto, digest));
    EXPECT_EQ(HexOf(digest), HexOf(read.installerHash));
}

TEST(SignatureCheck, Sha256OfKnownTextsWholeAndInPieces) {
    const SystemCrypto crypto;
    const std::pair<std::string, const char*> known[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {std::string(100000, 'a'),
         "6d1cf22d7cc09b085dfc25ee1a1f3ae0265804c607bc2074ad253bcc82fd81ee"},
    };
    for (const auto& [text, hex] : known) {
        Sha256Hash whole(crypto), pieces(crypto);
        EXPECT_TRUE(whole.Add(text.data(), text.size()));
        for (size_t at = 0; at < text.size(); at += 7)
            EXPECT_TRUE(pieces.Add(text.data() + at, std::min<size_t>(7, text.size() - at)));
        Sha256Digest wholeDigest{}, piecesDigest{};
        ASSERT_TRUE(whole.Finish(wholeDigest) && pieces.Finish(piecesDigest));
        EXPECT_EQ(HexOf(wholeDigest), hex) << text.size();
        EXPECT_EQ(HexOf(piecesDigest), hex) << text.size();
    }
}

TEST(SignatureCheck, WithoutTheSystemsCryptographyNothingVerifies) {
    const SystemCrypto missing("no-such-crypto.dll");
    EXPECT_FALSE(missing.IsAvailable());
    Sha256Hash hash(missing);
    Sha256Digest digest{};
    EXPECT_FALSE(hash.Add("abc", 3));
    EXPECT_FALSE(hash.Finish(digest));
    UpgradeManifest read;
    EXPECT_FALSE(ReadSignedManifest(missing, KeyOf(QV_DEVELOPMENT_PUBLIC_KEY), Signed("newer.txt"),
                                    Signed("newer.txt.sig"), read));
}

// While held, the file can be read (as a program start does) but not changed,
// renamed or deleted; a file someone writes cannot be held.
TEST(SignatureCheck, AHeldFileStaysAsItWasRead) {
    const SystemCrypto crypto;
    const std::string path = TempFile("qv-held-file.bin"), moved = TempFile("qv-held-file.moved");
    std::ofstream(path, std::ios::binary) << "abc";
    {
        const HeldFile held(path);
        ASSERT_TRUE(held.IsOpen());
        HANDLE writer =
            CreateFileA(path.c_str(), GENERIC_WRITE, 7, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
        HANDLE reader =
            CreateFileA(path.c_str(), GENERIC_READ | GENERIC_EXECUTE,
                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE);
        CloseHandle(reader);
        EXPECT_FALSE(DeleteFileA(path.c_str()));
        EXPECT_FALSE(MoveFileA(path.c_str(), moved.c_str()));
        Sha256Digest digest{};
        ASSERT_TRUE(held.Sha256(crypto, digest));
        EXPECT_EQ(HexOf(digest),
                  "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    }
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(HeldFile(path).IsOpen());
    CloseHandle(writer);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}
