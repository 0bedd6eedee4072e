#include "checks/bitmap_check.h"

#include <algorithm>
#include <cstddef>

namespace vorlask {

namespace {

std::uint32_t U16(const unsigned char* b, std::size_t at) {
  return b[at] | (std::uint32_t{b[at + 1]} << 8);
}
std::uint32_t U32(const unsigned char* b, std::size_t at) {
  return U16(b, at) | (U16(b, at + 2) << 16);
}

std::string Claims(std::int64_t width, std::int64_t height) {
  return "its header claims a picture of " + std::to_string(width) + " by " +
         std::to_string(height) + " pixels";
}

// The headers' fields as the file states them, before any is trusted.
struct Fields {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: the rows are stored top down
  std::uint32_t palette_entry = 4;
};

// The file's kind and its headers' fields; `l` gets its header's length, planes, depth,
// compression and palette size.
std::string ReadFields(const unsigned char* head, std::size_t got, std::uint64_t file_size,
                       BitmapLayout& l, Fields& f) {
  if (got == 0 || file_size == 0) return "it is empty";
  if (got < 2 || head[0] != 'B' || head[1] != 'M') return "it is not a Windows bitmap";
  if (got < 18) return "it is cut short";
  if (file_size > kMaxBitmapFileBytes) {
    return "it is " + std::to_string(file_size) + " bytes long, more than any picture needs";
  }
  l.info_size = U32(head, 14);
  // The old header of 12 bytes, or one of the later ones, which all begin with the 40 bytes of
  // the common one and are never longer than 124.
  if (l.info_size != 12 && (l.info_size < 40 || l.info_size > 124)) {
    return "its header has an unknown length of " + std::to_string(l.info_size) + " bytes";
  }
  if (got < 14 + std::size_t{l.info_size}) return "it is cut short";
  if (l.info_size == 12) {
    // The old header's sides are 16 bits wide and unsigned, as the decoder reads them: an old
    // bitmap is never stored top down.
    f.width = U16(head, 18);
    f.height = U16(head, 20);
    l.planes = U16(head, 22);
    l.bits = U16(head, 24);
    f.palette_entry = 3;
  } else {
    f.width = static_cast<std::int32_t>(U32(head, 18));
    f.height = static_cast<std::int32_t>(U32(head, 22));
    l.planes = U16(head, 26);
    l.bits = U16(head, 28);
    l.compression = U32(head, 30);
    l.colours = U32(head, 46);
  }
  return {};
}

// The picture's size within the bounds, and a depth and compression the game reads.
std::string PictureProblem(const Fields& f, BitmapLayout& l) {
  // A negative height only means the rows are stored top down.
  const std::int64_t rows = f.height < 0 ? -f.height : f.height;
  if (f.width <= 0 || f.height == 0 || f.width > kMaxBitmapSide || rows > kMaxBitmapSide ||
      f.width * rows > kMaxBitmapPixels) {
    return Claims(f.width, f.height);
  }
  l.width = static_cast<std::int32_t>(f.width);
  l.height = static_cast<std::int32_t>(rows);
  l.bottom_up = f.height > 0;

  const std::uint32_t b = l.bits;
  if (b != 1 && b != 4 && b != 8 && b != 24 && (l.info_size == 12 || (b != 16 && b != 32))) {
    return "its colour depth of " + std::to_string(b) + " bits is not one a bitmap can have";
  }
  const bool compression_fits = l.compression == 0 || (l.compression == 1 && b == 8) ||
                                (l.compression == 2 && b == 4) ||
                                (l.compression == 3 && (b == 16 || b == 32));
  if (!compression_fits) {
    return "its compression " + std::to_string(l.compression) + " at " + std::to_string(b) +
           " bits is not one the game reads";
  }
  // Run lengths describe rows from the bottom up only.
  if ((l.compression == 1 || l.compression == 2) && !l.bottom_up) {
    return "its rows are stored top down, which compressed pictures cannot be";
  }
  return {};
}

// Where the palette and the pixels lie, all within the file.
std::string PlacementProblem(const unsigned char* head, std::uint64_t file_size,
                             std::uint32_t palette_entry, BitmapLayout& l) {
  const std::uint32_t b = l.bits;
  l.palette_offset = 14 + std::uint64_t{l.info_size};
  // The colour masks of the common header follow it, before the pixels.
  if (l.info_size == 40 && l.compression == 3) l.palette_offset += 12;
  if (b <= 8) {
    const std::uint32_t most = 1u << b;
    if (l.colours == 0) l.colours = most;
    if (l.colours > most) {
      return "its palette claims " + std::to_string(l.colours) + " colours at " +
             std::to_string(b) + " bits";
    }
  } else {
    l.colours = 0;
  }
  l.palette_end = l.palette_offset + std::uint64_t{palette_entry} * l.colours;
  l.pixel_offset = U32(head, 10);
  if (l.pixel_offset < l.palette_offset) return "its pixel data starts inside its header";
  if (l.palette_end > file_size || l.pixel_offset >= file_size) return "it is cut short";

  l.row_bytes = (std::uint64_t{b} * l.width + 31) / 32 * 4;
  // An uncompressed picture must hold all its rows.
  if (l.compression == 0 || l.compression == 3) {
    const std::uint64_t need = l.pixel_offset + l.row_bytes * static_cast<std::uint64_t>(l.height);
    if (file_size < need) {
      return "it is cut short (" + std::to_string(file_size) + " bytes where the picture needs " +
             std::to_string(need) + ")";
    }
  }
  return {};
}

}  // namespace

std::string BitmapProblem(const unsigned char* head, std::size_t got, std::uint64_t file_size,
                          BitmapLayout& layout) {
  BitmapLayout l;
  Fields f;
  std::string problem = ReadFields(head, got, file_size, l, f);
  if (problem.empty()) problem = PictureProblem(f, l);
  if (problem.empty()) problem = PlacementProblem(head, file_size, f.palette_entry, l);
  if (problem.empty()) layout = l;
  return problem;
}

void KeepPictureBytes(std::vector<unsigned char>& bytes, BitmapLayout& layout) {
  BitmapLayout& l = layout;
  const auto width = static_cast<std::uint64_t>(l.width);
  const auto height = static_cast<std::uint64_t>(l.height);
  std::uint64_t pixels = l.row_bytes * height;
  // Run lengths take at most two bytes a pixel, or four where an encoder skips single pixels,
  // and an end mark on each row; nothing beyond that is ever read.
  if (l.compression == 1 || l.compression == 2) pixels = 4 * (width * height + height + 1);
  const std::uint64_t available =
      bytes.size() - std::min<std::uint64_t>(bytes.size(), l.pixel_offset);
  pixels = std::min(pixels, available);
  if (l.pixel_offset > l.palette_end) {
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(l.palette_end),
                bytes.begin() + static_cast<std::ptrdiff_t>(l.pixel_offset));
    l.pixel_offset = l.palette_end;
    for (std::size_t i = 0; i < 4; ++i)
      bytes[10 + i] = static_cast<unsigned char>(l.pixel_offset >> (8 * i));
  }
  bytes.resize(static_cast<std::size_t>(l.pixel_offset + pixels));
  bytes.shrink_to_fit();
}

}  // namespace vorlask
