#pragma once

#include <cstdint>
#include <cstring>

#include "gfx/canvas.h"

namespace vorlask::testing {

// Whether the picture shows the image at (x, y), compared a row at a time: the walks through
// real play compare the whole board after every click.
inline bool Shows(const Image& picture, int x, int y, const Image& image) {
  for (int yy = 0; yy < image.height; ++yy) {
    if (std::memcmp(&picture.pixels[static_cast<std::size_t>((y + yy) * picture.width + x)],
                    &image.pixels[static_cast<std::size_t>(yy * image.width)],
                    sizeof(std::uint32_t) * static_cast<std::size_t>(image.width)) != 0)
      return false;
  }
  return true;
}

}  // namespace vorlask::testing
