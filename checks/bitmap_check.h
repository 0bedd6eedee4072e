#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/file_result.h"

namespace vorlask {

// The largest bitmap the game decodes. The window is 615 by 480 pixels, so this is far more
// than any of its pictures needs, yet a picture this big costs only 8 MB and a few milliseconds
// to decode. The file bound covers the pixels of such a picture in any layout with room to
// spare; nothing longer is read.
inline constexpr std::int64_t kMaxBitmapSide = 4096;
inline constexpr std::int64_t kMaxBitmapPixels = 2048 * 1024;
inline constexpr std::uint64_t kMaxBitmapFileBytes = 16u * 1024 * 1024;

// The bytes at the start of a file that hold both its headers, the longest kind included.
inline constexpr std::size_t kBitmapHeadBytes = 14 + 124;

// What the headers of a bitmap file say, once they have been found sound.
struct BitmapLayout {
  std::uint64_t pixel_offset = 0;  // where the pixel data starts
  std::uint32_t info_size = 0;     // 12 for the old header, 40 or more for the others
  std::int32_t width = 0;
  std::int32_t height = 0;  // always positive
  bool bottom_up = true;
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;  // 0 none, 1 and 2 run lengths, 3 colour masks
  std::uint32_t planes = 1;
  std::uint32_t colours = 0;  // palette entries, for 8 bits and fewer
  std::uint64_t palette_offset = 0;
  std::uint64_t palette_end = 0;  // where the palette (or the colour masks) ends
  std::uint64_t row_bytes = 0;    // of an uncompressed row, padded to four bytes
};

// What is wrong with a bitmap file whose first `got` bytes are `head` (at most
// kBitmapHeadBytes are looked at) and whose whole length is `file_size`, or an empty text.
// Every field is checked before anything is sized from it, in 64-bit arithmetic, and the
// picture must stay within the bounds above; a sound file's layout is written to `layout`.
std::string BitmapProblem(const unsigned char* head, std::size_t got, std::uint64_t file_size,
                          BitmapLayout& layout);

// Cuts the bytes of a file that passed the check down to those its picture is decoded from:
// the headers, the palette and the pixel data, without whatever lies between or after them.
// Start-up holds all six files before it decodes the first, and each may carry up to its bound
// of such bytes. The pixels then follow the palette directly, as `layout` and the file say.
void KeepPictureBytes(std::vector<unsigned char>& bytes, BitmapLayout& layout);

// A bitmap data file read once and its headers checked, not yet decoded. While `result` is
// kLoaded, `bytes` holds what the picture is decoded from (KeepPictureBytes); otherwise `error`
// says what is wrong.
struct CheckedBitmap {
  FileResult result = FileResult::kMissing;
  std::string error;
  BitmapLayout layout;
  std::vector<unsigned char> bytes;
};

}  // namespace vorlask
