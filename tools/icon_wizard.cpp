#include "tools/icon_wizard.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "tools/icon_picture.h"
#include "ui/tiles.h"

namespace vorlask::icons {

namespace {

// A piece on a square counted from the picture's bottom-left corner.
struct Piece {
  bool wolf;
  int column, row;
};

// A stretch of the board in squares of `side` pixels, as the window shows it: no lines
// between the squares, the pieces drawn for squares of that side. The bottom row is whole and
// its left square dark, like the board's a1; the rows that do not fit are cut off at the top.
Bytes BoardStretch(int width, int height, int side, std::initializer_list<Piece> pieces) {
  std::vector<Rgba> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int column = x / side, row = (height - 1 - y) / side;
      const Color c = (column + row) % 2 == 0 ? kDarkSquare : kLightSquare;
      pixels[static_cast<std::size_t>(y) * width + x] =
          Rgba{double(c.r), double(c.g), double(c.b), 1};
    }
  for (const Piece& p : pieces)
    PlacePiece(pixels, width, p.wolf, side, p.column * side, height - (p.row + 1) * side);
  return Bmp(width, height, pixels);
}

}  // namespace

// The board's four left columns from the hunters' home row up: the hunters have closed ranks
// on the first two rows, and the wolf watches them from the fifth.
Bytes WelcomeBitmap() {
  return BoardStretch(164, 314, 41,
                      {{false, 0, 0}, {false, 2, 0}, {false, 1, 1}, {false, 3, 1}, {true, 2, 4}});
}

// Two rows of five squares: a hunter coming up at the wolf.
Bytes HeaderBitmap() {
  return BoardStretch(150, 57, 30, {{false, 2, 0}, {true, 3, 1}});
}

}  // namespace vorlask::icons
