#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// The 64 bytes of an ECDSA P-256 value as big-endian halves: a signature's
// r and s, or a public key's X and Y.
using P256Bytes = std::array<uint8_t, 64>;

// Such a value as one line of base64 (88 characters): the upgrade signature
// file ("upgrade.txt.sig") and the public key file are written so.

// Blanks (space, tab, CR, LF) around the base64 are ignored; inside it, or
// anything but the base64 of exactly 64 bytes, is false with value unchanged.
bool ParseP256Line(const char* text, size_t size, P256Bytes& value);
// The base64 followed by a line feed.
std::string FormatP256Line(const P256Bytes& value);
