#pragma once

#include <cstdint>
#include <vector>

#include "gfx/canvas.h"

namespace vorlask {

// The picture enlarged by a whole factor for a dense screen: each pixel becomes a square of
// scale by scale pixels. The result, (width * scale) by (height * scale) pixels row by row, is
// written into out, whose storage is reused from one call to the next. A scale below 2 copies
// the picture as it is.
void Upscale(const Image& picture, int scale, std::vector<std::uint32_t>& out);

}  // namespace vorlask
