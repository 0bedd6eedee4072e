#pragma once

#include <cstdint>
#include <cstring>

#include "gfx/canvas.h"

namespace vorlask::testing {

// How many pixels of `image`, placed with its top-left corner at (x, y) of `picture`, differ in
// colour from what the picture holds there. Pixels the image leaves transparent (a masked
// tile's corners) are not compared; a pixel outside the picture counts as differing. Rows that
// match byte for byte are passed at once: the walks through real play compare the whole board
// after every click.
inline int Differences(const Image& picture, int x, int y, const Image& image) {
  int differing = 0;
  for (int yy = 0; yy < image.height; ++yy) {
    const bool row_inside =
        y + yy >= 0 && y + yy < picture.height && x >= 0 && x + image.width <= picture.width;
    if (row_inside &&
        std::memcmp(&picture.pixels[static_cast<std::size_t>((y + yy) * picture.width + x)],
                    &image.pixels[static_cast<std::size_t>(yy * image.width)],
                    sizeof(std::uint32_t) * static_cast<std::size_t>(image.width)) == 0) {
      continue;
    }
    for (int xx = 0; xx < image.width; ++xx) {
      const std::uint32_t p = image.At(xx, yy);
      if ((p >> 24) == 0) continue;
      if (!picture.Contains(x + xx, y + yy) || ColorOf(picture.At(x + xx, y + yy)) != ColorOf(p))
        ++differing;
    }
  }
  return differing;
}

// Whether the picture shows every opaque pixel of the image at (x, y).
inline bool Shows(const Image& picture, int x, int y, const Image& image) {
  return Differences(picture, x, y, image) == 0;
}

}  // namespace vorlask::testing
