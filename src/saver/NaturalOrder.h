// File names in the order a file browser lists them: letters compared
// without regard to case, runs of digits compared as the numbers they are
// ("clip 2" before "clip 10"). Platform-free.
#pragma once
#include <string>

bool NaturalLess(const std::string& a, const std::string& b);
