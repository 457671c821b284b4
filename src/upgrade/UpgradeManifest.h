#pragma once
#include "upgrade/Sha256Digest.h"

#include <cstddef>
#include <string>

// The manifest key that carries the SHA-256 of the installer file, as 64
// hexadecimal digits.
constexpr const char* installerHashKey = "InstallerSHA256";

// What an upgrade manifest (a key = value text) offers: the first values of
// "version", "url" (the installer) and "url2" (empty when missing), and the
// installer's hash.
struct UpgradeManifest {
    std::string version;
    std::string installerUrl;
    std::string secondUrl;
    Sha256Digest installerHash{};
};

// Reads a manifest's entries. Without an InstallerSHA256 of 64 hexadecimal
// digits (its first occurrence counts) the manifest offers nothing: false.
bool ReadUpgradeManifest(const char* text, size_t size, UpgradeManifest& manifest);
