#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/bitmap_check.h"
#include "checks/file_result.h"
#include "gfx/canvas.h"

namespace vorlask {

// The bitmap data files, in the order start-up loads them: the background, the chosen and the
// blank mark, the pressed start box, the rising and the falling patch.
inline constexpr std::array<const char*, 6> kBitmapFiles = {"h16.bmp", "h11.bmp", "h10.bmp",
                                                            "h9.bmp",  "h12.bmp", "h13.bmp"};

// Reading one bitmap data file, the platform's part: it reads and decodes the file it is handed.
class BitmapFiles {
 public:
  virtual ~BitmapFiles() = default;
  // Reads the file once and checks its headers; nothing is decoded yet.
  virtual CheckedBitmap Read(const std::string& path) = 0;
  // Decodes a file that passed its check into opaque pixels, and lets go of its bytes.
  virtual FileResult Decode(CheckedBitmap& file, Image& out, std::string& error) = 0;
};

// The six bitmaps of start-up, or why the game cannot start.
struct BitmapSet {
  std::string folder;  // the data folder; the music is played from it too
  std::array<Image, kBitmapFiles.size()> images;
  std::string problem;  // the whole message, empty when all six loaded
};

// Chooses the data folder and loads the six bitmaps from it. The folder is the first of
// `folders` that holds the first bitmap: finding it is reading it, so each file is opened once.
// A folder that may not be searched is passed over, and named as such if none holds the
// bitmaps. All six are read and checked, their sizes included, before the first is decoded:
// six damaged files can each claim the largest picture, and decoding them all would cost more
// than the game.
BitmapSet LoadBitmapSet(const std::vector<std::string>& folders, BitmapFiles& files);

// What keeps a picture of that size from serving as kBitmapFiles[index] in the window, or an
// empty text. Known from a file's header, so it is asked before anything is decoded.
std::string BitmapSizeProblem(std::size_t index, std::int64_t width, std::int64_t height);

}  // namespace vorlask
