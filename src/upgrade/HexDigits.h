#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Bytes written as hexadecimal digits, two per byte, most significant first.

// Exactly 2 * count digits, upper or lower case; anything else is false and
// leaves bytes unchanged.
bool ParseHex(std::string_view text, uint8_t* bytes, size_t count);
// Lower case.
std::string FormatHex(const uint8_t* bytes, size_t count);
