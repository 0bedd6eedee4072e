#pragma once

#include <string>

#include "ui/canvas.h"

namespace vorlask {

// Reads a Windows bitmap file into 0xAARRGGBB pixels, all opaque.
bool LoadBmpFile(const std::string& path, Image& out, std::string& error);
// Writes a 24-bit Windows bitmap file.
bool SaveBmpFile(const std::string& path, const Image& image, std::string& error);

}  // namespace vorlask
