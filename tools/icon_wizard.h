// The installer's own pictures, drawn like the icons from the board's squares and the game's
// pieces: the tall one beside its welcome and finish pages, and the small one at the right of
// the other pages' header. Both are 24-bit Windows bitmaps at the sizes the installer's pages
// lay them out at 96 dots per inch, with nothing in them but the picture.
#pragma once

#include "tools/icon_files.h"

namespace vorlask::icons {

// 164 by 314 pixels.
Bytes WelcomeBitmap();
// 150 by 57 pixels.
Bytes HeaderBitmap();

}  // namespace vorlask::icons
