#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "game/platform.h"
#include "gfx/canvas.h"
#include "ui/bitmap_check.h"

namespace vorlask {

// The pixels of a surface in ARGB8888, made opaque; the surface is freed.
Image TakeArgbSurface(SDL_Surface* argb);

// A bitmap data file read once and its headers checked, not yet decoded. While `result` is
// kLoaded, `bytes` holds what the picture is decoded from; otherwise `error` says what is wrong.
struct CheckedBitmap {
  FileResult result = FileResult::kMissing;
  std::string error;
  BitmapLayout layout;
  std::vector<unsigned char> bytes;
};
CheckedBitmap CheckBitmapFile(const std::string& path);
// Decodes a checked file into 0xAARRGGBB pixels, all opaque, and lets go of its bytes.
FileResult DecodeBitmap(CheckedBitmap& file, Image& out, std::string& error);

// Both at once: a data file for the game, missing, unreadable, damaged (error says how), or
// loaded.
FileResult LoadDataBitmap(const std::string& path, Image& out, std::string& error);
// The same for the tools and tests, which only ask whether it worked.
bool LoadBmpFile(const std::string& path, Image& out, std::string& error);
// Writes a 24-bit Windows bitmap file.
bool SaveBmpFile(const std::string& path, const Image& image, std::string& error);

}  // namespace vorlask
