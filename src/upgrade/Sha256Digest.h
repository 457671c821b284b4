#pragma once
#include <array>
#include <cstdint>

// A SHA-256 hash value.
using Sha256Digest = std::array<uint8_t, 32>;
