#include "SignCommands.h"

#include <openssl/evp.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "EcdsaP256.h"
#include "InstallerHashEntry.h"
#include "ToolOutput.h"
#include "upgrade/HexDigits.h"
#include "upgrade/P256Line.h"
#include "upgrade/UpgradeManifest.h"

namespace stdfs = std::filesystem;

namespace {
const char usage[] =
    "upgrade-sign COMMAND ...\n"
    "  keygen --out DIR                   a new key pair: DIR/private.pem, DIR/public.txt\n"
    "  manifest --key PRIVATE.pem [--installer FILE] upgrade.txt\n"
    "                                     add or refresh InstallerSHA256 (with --installer)\n"
    "                                     and write the signature upgrade.txt.sig\n"
    "  verify --pub public.txt upgrade.txt\n"
    "                                     check upgrade.txt.sig as the saver does\n"
    "exit codes: 0 success, 1 a bad or unreadable file or signature, 2 usage";

// "--name value" options and the other arguments, in order.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> operands;
};

// False for an option not in names or without a value, or a count of
// operands other than operandCount.
bool Parse(int argc, char** argv, const std::vector<std::string>& names, size_t operandCount,
           Arguments& arguments) {
    for (int i = 0; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.rfind("--", 0) != 0) {
            arguments.operands.push_back(word);
            continue;
        }
        bool known = false;
        for (const std::string& name : names)
            known = known || word == "--" + name;
        if (!known || i + 1 == argc)
            return false;
        arguments.options[word.substr(2)] = argv[++i];
    }
    return arguments.operands.size() == operandCount;
}

int Fail(const std::string& file, const std::string& reason) {
    std::fprintf(stderr, "upgrade-sign: %s: %s\n", file.c_str(), reason.c_str());
    return kExitBadFile;
}

bool ReadWhole(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    content = read.str();
    return in.good() || in.eof();
}

// Writes through a temporary file; a secret one is readable by its owner only.
bool WriteWhole(const std::string& path, const std::string& content, bool secret = false) {
    return WriteOutputFile(path, [&](const std::string& temp) {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        std::error_code ignored;
        if (secret)
            stdfs::permissions(temp, stdfs::perms::owner_read | stdfs::perms::owner_write, ignored);
        return static_cast<bool>(out << content) && static_cast<bool>(out.flush());
    });
}

bool Sha256(const std::string& data, Sha256Digest& digest) {
    unsigned int length = 0;
    return EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_sha256(), nullptr) ==
               1 &&
           length == digest.size();
}

std::string HexOf(const Sha256Digest& digest) {
    return FormatHex(digest.data(), digest.size());
}
}  // namespace

int RunKeygen(int argc, char** argv) {
    Arguments arguments;
    if (!Parse(argc, argv, {"out"}, 0, arguments) || !arguments.options.count("out"))
        return ReportUsage(usage);
    const stdfs::path folder = arguments.options["out"];
    const std::string privatePath = (folder / "private.pem").string();
    const std::string publicPath = (folder / "public.txt").string();
    for (const std::string& path : {privatePath, publicPath})
        if (stdfs::exists(path))
            return Fail(path, "exists already; not replaced");
    std::error_code ignored;
    stdfs::create_directories(folder, ignored);
    std::string privatePem;
    P256Bytes publicKey;
    if (!GenerateP256KeyPair(privatePem, publicKey))
        return Fail(folder.string(), "key generation failed");
    if (!WriteWhole(privatePath, privatePem, true))
        return Fail(privatePath, "cannot be written");
    if (!WriteWhole(publicPath, FormatP256Line(publicKey)))
        return Fail(publicPath, "cannot be written");
    std::printf("%s\n%s\n", privatePath.c_str(), publicPath.c_str());
    return kExitOk;
}

int RunSignManifest(int argc, char** argv) {
    Arguments arguments;
    if (!Parse(argc, argv, {"key", "installer"}, 1, arguments) || !arguments.options.count("key"))
        return ReportUsage(usage);
    const std::string keyPath = arguments.options["key"];
    const std::string manifestPath = arguments.operands[0];
    std::string privatePem, manifest, error;
    if (!ReadWhole(keyPath, privatePem))
        return Fail(keyPath, "cannot be read");
    if (!ReadWhole(manifestPath, manifest))
        return Fail(manifestPath, "cannot be read");
    UpgradeManifest read;
    if (arguments.options.count("installer")) {
        const std::string installerPath = arguments.options["installer"];
        std::string installer;
        Sha256Digest digest;
        if (!ReadWhole(installerPath, installer) || !Sha256(installer, digest))
            return Fail(installerPath, "cannot be read");
        manifest = WithInstallerHash(manifest, HexOf(digest));
        if (!ReadUpgradeManifest(manifest.data(), manifest.size(), read) ||
            read.installerHash != digest)
            return Fail(manifestPath,
                        "the entry before the added InstallerSHA256 would swallow it "
                        "(a key without a value?)");
    } else if (!ReadUpgradeManifest(manifest.data(), manifest.size(), read)) {
        std::fprintf(stderr,
                     "upgrade-sign: %s: warning: no InstallerSHA256; savers will not offer it\n",
                     manifestPath.c_str());
    }
    P256Bytes signature;
    if (!SignP256(privatePem, manifest, signature, error))
        return Fail(keyPath, error);
    const std::string signaturePath = manifestPath + ".sig";
    if (!WriteWhole(manifestPath, manifest))
        return Fail(manifestPath, "cannot be written");
    if (!WriteWhole(signaturePath, FormatP256Line(signature)))
        return Fail(signaturePath, "cannot be written");
    std::printf("%s: signed into %s\n", manifestPath.c_str(), signaturePath.c_str());
    return kExitOk;
}

int RunVerify(int argc, char** argv) {
    Arguments arguments;
    if (!Parse(argc, argv, {"pub"}, 1, arguments) || !arguments.options.count("pub"))
        return ReportUsage(usage);
    const std::string publicPath = arguments.options["pub"];
    const std::string manifestPath = arguments.operands[0];
    const std::string signaturePath = manifestPath + ".sig";
    std::string publicText, manifest, signatureText;
    P256Bytes publicKey, signature;
    if (!ReadWhole(publicPath, publicText) ||
        !ParseP256Line(publicText.data(), publicText.size(), publicKey))
        return Fail(publicPath, "not a public key written by upgrade-sign keygen");
    if (!ReadWhole(manifestPath, manifest))
        return Fail(manifestPath, "cannot be read");
    if (!ReadWhole(signaturePath, signatureText) ||
        !ParseP256Line(signatureText.data(), signatureText.size(), signature))
        return Fail(signaturePath, "missing, or not one base64 line of a P-256 signature");
    if (!VerifyP256(publicKey, manifest, signature))
        return Fail(manifestPath, "the signature does not verify under " + publicPath);
    UpgradeManifest read;
    if (!ReadUpgradeManifest(manifest.data(), manifest.size(), read))
        return Fail(manifestPath, "no InstallerSHA256 of 64 hexadecimal digits; not offered");
    std::printf("%s: good signature, %s=%s\n", manifestPath.c_str(), installerHashKey,
                HexOf(read.installerHash).c_str());
    return kExitOk;
}

int ReportUpgradeSignUsage() {
    return ReportUsage(usage);
}
