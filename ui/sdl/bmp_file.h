#pragma once

#include <SDL.h>

#include <string>

#include "game/platform.h"
#include "gfx/canvas.h"

namespace vorlask {

// Reads a Windows bitmap file into 0xAARRGGBB pixels, all opaque.
// The pixels of a surface in ARGB8888, made opaque; the surface is freed.
Image TakeArgbSurface(SDL_Surface* argb);
bool LoadBmpFile(const std::string& path, Image& out, std::string& error);
// A data file for the game: missing, damaged (error says how), unreadable (error says why), or
// loaded. The same checks as LoadBmpFile, told apart for the message the game shows.
FileResult LoadDataBitmap(const std::string& path, Image& out, std::string& error);
// Writes a 24-bit Windows bitmap file.
bool SaveBmpFile(const std::string& path, const Image& image, std::string& error);

}  // namespace vorlask
