#pragma once
#include "Canvas.h"

#include <string>
#include <vector>

// A 24-bit Windows bitmap file of the canvas (alpha ignored).
bool WriteBitmapFile(const std::string& path, const Canvas& canvas);
// A Windows icon file holding each canvas as a 32-bit image with alpha.
bool WriteIconFile(const std::string& path, const std::vector<Canvas>& images);
