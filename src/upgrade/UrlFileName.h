#pragma once
#include <string>

// The file name a URL names: the text after the last backslash of its path,
// or else after the last slash, or else the whole path. Empty for a path that
// ends in a slash and for a URL that does not crack.
std::string UrlFileName(const std::string& url);
