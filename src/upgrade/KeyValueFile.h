#pragma once
#include "upgrade/KeyValueText.h"

// The entries of a key = value file; none when the file cannot be read (the
// read error text is composed then) or is empty.
KeyValueText ReadKeyValueFile(const char* path);
