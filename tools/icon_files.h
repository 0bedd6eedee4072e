// The icon's picture in the files that hold it: PNG, and the Windows icon with the picture
// drawn afresh at each size Windows shows.
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

}  // namespace vorlask::icons
