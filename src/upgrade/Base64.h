#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Base64 with the standard alphabet and "=" padding, as the upgrade signature
// and the public key are written.

std::string EncodeBase64(const uint8_t* data, size_t size);

// Strict: the length is a multiple of 4, only alphabet characters with at most
// two "=" at the end, and the unused bits of the last character are zero, so
// that every byte sequence has exactly one text. Anything else is false.
bool DecodeBase64(std::string_view text, std::vector<uint8_t>& bytes);
