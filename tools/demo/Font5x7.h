// A 5 x 7 pixel font for the demo recording's desktop: rows of 5 bits,
// the leftmost pixel in bit 4.
#pragma once
#include <cstdint>

// The seven rows of c; a blank for characters the font lacks.
const uint8_t* Glyph(char c);
