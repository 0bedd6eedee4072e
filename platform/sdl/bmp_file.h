#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "checks/bitmap_check.h"
#include "checks/file_result.h"
#include "gfx/canvas.h"
#include "ui/bitmaps.h"

namespace vorlask {

// The pixels of a surface in ARGB8888, made opaque; the surface is freed.
Image TakeArgbSurface(SDL_Surface* argb);

// Reads a bitmap data file once and checks its headers (checks/bitmap_check.h).
CheckedBitmap CheckBitmapFile(const std::string& path);
// Decodes a checked file into 0xAARRGGBB pixels, all opaque, and lets go of its bytes.
FileResult DecodeBitmap(CheckedBitmap& file, Image& out, std::string& error);

// The bitmap files of start-up, read and decoded as above.
class SdlBitmapFiles : public BitmapFiles {
 public:
  CheckedBitmap Read(const std::string& path) override { return CheckBitmapFile(path); }
  FileResult Decode(CheckedBitmap& file, Image& out, std::string& error) override {
    return DecodeBitmap(file, out, error);
  }
};

// Both at once: a data file for the game, missing, unreadable, damaged (error says how), or
// loaded.
FileResult LoadDataBitmap(const std::string& path, Image& out, std::string& error);
// The same for the tools and tests, which only ask whether it worked.
bool LoadBmpFile(const std::string& path, Image& out, std::string& error);
// Writes a 24-bit Windows bitmap file.
bool SaveBmpFile(const std::string& path, const Image& image, std::string& error);

}  // namespace vorlask
