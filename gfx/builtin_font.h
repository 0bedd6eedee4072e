#pragma once

#include <string>

#include "gfx/canvas.h"

namespace vorlask {

// Text drawn with a small font built into the program: five by seven pixels a letter, each
// pixel drawn as a square of two. It needs no file, so that the game can still say what is
// wrong when its own font is what failed. It has the printable ASCII characters; any other
// character shows as '?'.
class BuiltinTextRenderer : public TextRenderer {
 public:
  static constexpr int kScale = 2;
  static constexpr int kAdvance = 6 * kScale;  // five columns and a gap
  static constexpr int kLineHeight = 9 * kScale;

  Image Render(const std::string& utf8, const Font& font, Color background) override;
};

}  // namespace vorlask
