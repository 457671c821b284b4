// The saver's signature check and held file with the system's cryptography,
// against manifests signed at build time by upgrade-sign, and whole-file
// loading. The installer's hash is tested end to end in SaverUpgradeE2ETest.
#include "TestSupport.h"

#include "upgrade/HeldFile.h"
#include "upgrade/HexDigits.h"
#include "upgrade/SignedManifest.h"
#include "upgrade/XFile.h"

// Every bit of the signature and every byte of the manifest counts; missing
// cryptography (no bcrypt.dll, as before Vista) verifies nothing. A missing
// signature is tested end to end.
TEST(SignatureCheck, OnlyTheWholeSignatureOverTheWholeManifestVerifies) {
    const SystemCrypto crypto, missing("no-such-crypto.dll");
    EXPECT_FALSE(missing.IsAvailable());
    const std::string keyLine = FileContent(e2e::WindowsPath(QV_DEVELOPMENT_PUBLIC_KEY));
    P256Bytes key{};
    ASSERT_TRUE(ParseP256Line(keyLine.data(), keyLine.size(), key));
    const std::string manifest = SignedFile("newer.txt"), signature = SignedFile("newer.txt.sig");
    std::string changed = manifest;
    changed[changed.find("1.0.34.0") + 5] = '5';
    const auto flipped = [&](size_t byte, int bit) {
        P256Bytes bytes{};
        EXPECT_TRUE(ParseP256Line(signature.data(), signature.size(), bytes));
        bytes[byte] ^= static_cast<uint8_t>(1 << bit);
        return FormatP256Line(bytes);
    };
    const std::tuple<const char*, const SystemCrypto*, std::string, std::string, bool> cases[] = {
        {"as signed", &crypto, manifest, signature, true},
        {"one manifest byte changed", &crypto, changed, signature, false},
        {"first signature bit flipped", &crypto, manifest, flipped(0, 7), false},
        {"last signature bit flipped", &crypto, manifest, flipped(63, 0), false},
        {"no cryptography", &missing, manifest, signature, false},
    };
    for (const auto& [what, system, text, sig, counts] : cases) {
        UpgradeManifest read;
        read.version = "untouched";
        EXPECT_EQ(ReadSignedManifest(*system, key, text, sig, read), counts) << what;
        EXPECT_EQ(read.version, counts ? "1.0.34.0" : "untouched") << what;
    }
}

// While held (and started, see SaverUpgradeE2ETest), the file cannot be
// changed, renamed or deleted.
TEST(HeldFile, StaysAsItWasReadAndHashed) {
    const SystemCrypto crypto;
    const TestFolder folder;
    const std::string path = folder.File("held.bin");
    WriteTestFile(path, "abc");
    const HeldFile held(path);
    ASSERT_TRUE(held.IsOpen());
    EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_WRITE, 7, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DeleteFileA(path.c_str()));
    EXPECT_FALSE(MoveFileA(path.c_str(), folder.File("moved").c_str()));
    Sha256Digest digest{};
    ASSERT_TRUE(held.Sha256(crypto, digest));
    EXPECT_EQ(FormatHex(digest.data(), digest.size()),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_FALSE(HeldFile(folder.File("missing")).Sha256(crypto, digest));
}

TEST(XFile, LoadsWholeFilesAndFailsOnMissingOnes) {
    const TestFolder folder;
    XFile file;
    const std::string content("version = 1\0binary", 18);
    WriteTestFile(folder.File("manifest.txt"), content);
    ASSERT_TRUE(file.Load(folder.File("manifest.txt").c_str()));
    EXPECT_EQ(std::string(file.GetData(), file.GetSize()), content);
    EXPECT_FALSE(file.Load(folder.File("absent").c_str()));
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetData(), nullptr);
    EXPECT_FALSE(file.Load(nullptr));
}
