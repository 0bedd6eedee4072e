// The icon's picture in the files that hold it: PNG, and the Windows icon with the picture
// drawn afresh at each size Windows shows; and any opaque picture as a Windows bitmap.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/icon_picture.h"

namespace vorlask::icons {

using Bytes = std::vector<std::uint8_t>;

// The picture as a PNG file; empty, with the reason on stderr, when libpng fails.
Bytes Png(const Icon& icon);
// The Windows icon file; empty when one of its pictures could not be made.
Bytes Ico();
// An opaque picture, rows from the top, as a 24-bit Windows bitmap file: the one form every
// Windows program that shows a picture from a file reads. Alpha is ignored.
Bytes Bmp(int width, int height, const std::vector<Rgba>& pixels);

}  // namespace vorlask::icons
