#include "gfx/upscale.h"

#include <algorithm>
#include <cstddef>

namespace vorlask {

void Upscale(const Image& picture, int scale, std::vector<std::uint32_t>& out) {
  scale = std::max(scale, 1);
  const auto width = static_cast<std::size_t>(picture.width);
  const auto wide = width * static_cast<std::size_t>(scale);
  out.resize(wide * static_cast<std::size_t>(picture.height) * static_cast<std::size_t>(scale));
  for (int y = 0; y < picture.height; ++y) {
    const auto first =
        out.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * scale * wide);
    auto at = first;
    for (std::size_t x = 0; x < width; ++x) {
      at = std::fill_n(at, scale, picture.pixels[static_cast<std::size_t>(y) * width + x]);
    }
    // The other rows of the band repeat the first.
    for (int k = 1; k < scale; ++k) {
      std::copy_n(first, wide, first + static_cast<std::ptrdiff_t>(k * wide));
    }
  }
}

}  // namespace vorlask
