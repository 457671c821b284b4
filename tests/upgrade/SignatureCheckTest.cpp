// The saver's signature and hash checks with the system's cryptography,
// against manifests signed at build time by upgrade-sign. Which manifests the
// upgrade check accepts is tested in UpgradeDlgTest, the installer's hash in
// SaverUpgradeE2ETest; here what those do not reach.
#include "TestSupport.h"

#include "e2e/TestProcess.h"
#include "upgrade/HeldFile.h"
#include "upgrade/HexDigits.h"
#include "upgrade/Sha256Hash.h"
#include "upgrade/SignedManifest.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char* const abcHash = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

P256Bytes DevelopmentKey() {
    const std::string text = FileContent(e2e::WindowsPath(QV_DEVELOPMENT_PUBLIC_KEY));
    P256Bytes key{};
    EXPECT_TRUE(ParseP256Line(text.data(), text.size(), key));
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
}  // namespace

// Every bit of the signature counts, from its first byte to its last; a
// missing one or missing cryptography verifies nothing.
TEST(SignatureCheck, OnlyTheWholeSignatureVerifies) {
    const SystemCrypto crypto, missing("no-such-crypto.dll");
    ASSERT_TRUE(crypto.IsAvailable());
    EXPECT_FALSE(missing.IsAvailable());
    const std::string manifest = SignedFile("newer.txt"), signature = SignedFile("newer.txt.sig");
    const struct {
        const char* what;
        const SystemCrypto& crypto;
        std::string signature;
        bool counts;
    } cases[] = {
        {"as signed", crypto, signature, true},
        {"first signature bit flipped", crypto, WithSignatureBitFlipped(signature, 0, 7), false},
        {"last signature bit flipped", crypto, WithSignatureBitFlipped(signature, 63, 0), false},
        {"no signature", crypto, "", false},
        {"no cryptography", missing, signature, false},
    };
    for (const auto& c : cases) {
        UpgradeManifest read;
        read.version = "untouched";
        EXPECT_EQ(ReadSignedManifest(c.crypto, DevelopmentKey(), manifest, c.signature, read),
                  c.counts)
            << c.what;
        EXPECT_EQ(read.version, c.counts ? "1.0.34.0" : "untouched") << c.what;
    }
}

TEST(SignatureCheck, Sha256OfKnownTextsInPieces) {
    const SystemCrypto crypto;
    const std::pair<std::string, const char*> known[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", abcHash},
        {std::string(100000, 'a'),
         "6d1cf22d7cc09b085dfc25ee1a1f3ae0265804c607bc2074ad253bcc82fd81ee"},
    };
    for (const auto& [text, hex] : known) {
        Sha256Hash hash(crypto);
        for (size_t at = 0; at < text.size(); at += 7)
            EXPECT_TRUE(hash.Add(text.data() + at, std::min<size_t>(7, text.size() - at)));
        Sha256Digest digest{};
        ASSERT_TRUE(hash.Finish(digest));
        EXPECT_EQ(HexOf(digest), hex) << text.size();
    }
}

// While held, the file can be read (as a program start does) but not changed,
// renamed or deleted; a file someone writes cannot be held.
TEST(SignatureCheck, AHeldFileStaysAsItWasRead) {
    const SystemCrypto crypto;
    const DownloadTestFolder folder;
    const std::string path = folder.File("held.bin");
    WriteTestFile(path, "abc");
    {
        const HeldFile held(path);
        ASSERT_TRUE(held.IsOpen());
        EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_WRITE, 7, nullptr, OPEN_EXISTING, 0, nullptr),
                  INVALID_HANDLE_VALUE);
        HANDLE reader =
            CreateFileA(path.c_str(), GENERIC_READ | GENERIC_EXECUTE,
                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE);
        CloseHandle(reader);
        EXPECT_FALSE(DeleteFileA(path.c_str()));
        EXPECT_FALSE(MoveFileA(path.c_str(), folder.File("moved").c_str()));
        Sha256Digest digest{};
        ASSERT_TRUE(held.Sha256(crypto, digest));
        EXPECT_EQ(HexOf(digest), abcHash);
    }
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(HeldFile(path).IsOpen());
    CloseHandle(writer);
}
