#include "tools/icon_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <png.h>

namespace vorlask::icons {

namespace {

// ---- PNG ----

// Called by libpng for every piece of the file it has made.
void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

// ---- ICO ----

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One picture of a Windows icon in the form every version of Windows reads: a bitmap header
// of twice the height (the colour rows, then a one-bit mask), rows from the bottom, BGRA.
Bytes IconBitmap(const Icon& icon) {
  const auto n = static_cast<std::uint32_t>(icon.size);
  const std::uint32_t mask_row = (n + 31) / 32 * 4;
  Bytes out;
  for (std::uint32_t v : {40u, n, 2 * n})
    Put32(out, v);
  Put16(out, 1);
  Put16(out, 32);
  for (std::uint32_t v : {0u, n * n * 4 + mask_row * n, 0u, 0u, 0u, 0u})
    Put32(out, v);
  const auto channel = [](double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  for (int y = icon.size - 1; y >= 0; --y) {
    for (int x = 0; x < icon.size; ++x) {
      const Rgba& p = icon.pixels[static_cast<std::size_t>(y) * n + x];
      const std::uint8_t a = channel(p.a * 255);
      if (a == 0) {
        out.insert(out.end(), {0, 0, 0, 0});
      } else {
        out.insert(out.end(), {channel(p.b), channel(p.g), channel(p.r), a});
      }
    }
  }
  // The mask marks the fully transparent pixels, for the rare reader that ignores alpha.
  for (int y = icon.size - 1; y >= 0; --y) {
    Bytes row(mask_row, 0);
    for (int x = 0; x < icon.size; ++x) {
      if (channel(icon.pixels[static_cast<std::size_t>(y) * n + x].a * 255) == 0)
        row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

// The picture as RGBA rows, compressed by libpng with every filter tried on every row. libpng
// writes no time or text chunk unless asked, so the same picture gives the same bytes.
Bytes Png(const Icon& icon) {
  std::vector<std::uint8_t> rgba;
  for (const Rgba& p : icon.pixels) {
    const auto channel = [](double v) {
      return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    // Fully transparent pixels all alike, so that they compress.
    if (channel(p.a * 255) == 0) {
      rgba.insert(rgba.end(), {0, 0, 0, 0});
      continue;
    }
    rgba.insert(rgba.end(), {channel(p.r), channel(p.g), channel(p.b), channel(p.a * 255)});
  }
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fprintf(stderr, "make_icons: libpng could not encode a %d-pixel icon\n", icon.size);
    return {};
  }
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_compression_level(png, 9);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  const auto side = static_cast<png_uint_32>(icon.size);
  png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_bytep> rows(side);
  for (png_uint_32 y = 0; y < side; ++y)
    rows[y] = &rgba[static_cast<std::size_t>(y) * side * 4];
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// The icon file: a directory of the pictures, then the pictures. The largest is a PNG, as
// Windows keeps it; the small ones are bitmaps.
Bytes Ico() {
  std::vector<Bytes> pictures;
  std::vector<int> sizes = {16, 20, 24, 32, 40, 48, 64, 256};
  for (int size : sizes) {
    pictures.push_back(size >= 256 ? Png(Draw(size)) : IconBitmap(Draw(size)));
    if (pictures.back().empty()) return {};
  }
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(sizes.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const auto side = static_cast<std::uint8_t>(sizes[i] >= 256 ? 0 : sizes[i]);
    out.insert(out.end(), {side, side, 0, 0});
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(pictures[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(pictures[i].size());
  }
  for (const Bytes& picture : pictures)
    out.insert(out.end(), picture.begin(), picture.end());
  return out;
}

// A bitmap file header, the bitmap's header, then its rows from the bottom, blue, green, red,
// each row padded to a whole number of four bytes. No resolution is given: Windows then takes
// the screen's.
Bytes Bmp(int width, int height, const std::vector<Rgba>& pixels) {
  const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
  const std::uint32_t row = (w * 3 + 3) / 4 * 4, headers = 14 + 40;
  Bytes out = {'B', 'M'};
  for (std::uint32_t v : {headers + row * h, 0u, headers, 40u, w, h})
    Put32(out, v);
  Put16(out, 1);
  Put16(out, 24);
  for (std::uint32_t v : {0u, row * h, 0u, 0u, 0u, 0u})
    Put32(out, v);
  const auto channel = [](double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgba& p = pixels[static_cast<std::size_t>(y) * w + x];
      out.insert(out.end(), {channel(p.b), channel(p.g), channel(p.r)});
    }
    out.insert(out.end(), row - w * 3, 0);
  }
  return out;
}

}  // namespace vorlask::icons
