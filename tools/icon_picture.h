// The icon as a picture: the board's corner with the wolf and a hunter on it, drawn at any
// size from the game's own pieces, and the geometry the drawings of the icon share.
#pragma once

#include <cstddef>
#include <vector>

namespace vorlask::icons {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // colour not premultiplied; a from 0 to 1
};

// The board's corner as the window shows it: a dark rim in the window's olive, then two by
// two squares with lines between them, the dark ones top-left and bottom-right.
struct Plate {
  int size;
  double margin, rim, radius, inner_lo, inner_hi, square;

  explicit Plate(int n);
  // The colour of one sample point, transparent outside the plate.
  Rgba At(double x, double y) const;
};

// Where the two pieces stand on the plate: a little larger than their squares, so that they
// still read at 64 pixels; the wolf on the upper dark square, a hunter coming up at it from
// below. Positions are whole pixels, so that the pieces' edges fall alike in every picture.
struct Layout {
  Plate plate;
  int side;
  int wolf_x, wolf_y, hunter_x, hunter_y;

  explicit Layout(int n);
};

struct Icon {
  int size;
  std::vector<Rgba> pixels;
  explicit Icon(int n) : size(n), pixels(static_cast<std::size_t>(n) * n) {}
  Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * size + x]; }
};

// Lays the hunter or the wolf, drawn for a square of `side` pixels, over a picture `width`
// pixels wide, the piece's square's top-left corner at (x, y); what falls outside is cut off.
void PlacePiece(std::vector<Rgba>& pixels, int width, bool wolf, int side, int x, int y);

// The picture n pixels square, transparent around the plate.
Icon Draw(int n);
// The picture on an opaque square of the window's olive, for launchers that cut icons to their
// own shape.
Icon DrawOnSquare(int n);

}  // namespace vorlask::icons
