// Adding or refreshing the installer's hash in an upgrade manifest.
#pragma once
#include <string>

// The manifest text with "InstallerSHA256=hex" as its last line: every line
// whose key (after leading blanks) is InstallerSHA256 is removed, and the
// entry is added on a line of its own. The rest stays byte for byte.
std::string WithInstallerHash(const std::string& manifest, const std::string& hex);
