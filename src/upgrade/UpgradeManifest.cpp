#include "upgrade/UpgradeManifest.h"

#include "upgrade/HexDigits.h"
#include "upgrade/KeyValueText.h"

bool ReadUpgradeManifest(const char* text, size_t size, UpgradeManifest& manifest) {
    const KeyValueText entries(text, size);
    std::string hash;
    UpgradeManifest read;
    if (!entries.GetValue(installerHashKey, hash) ||
        !ParseHex(hash, read.installerHash.data(), read.installerHash.size()))
        return false;
    entries.GetValue("version", read.version);
    entries.GetValue("url", read.installerUrl);
    entries.GetValue("url2", read.secondUrl);
    manifest = read;
    return true;
}
