#include "ui/tiles.h"

namespace vorlask {

// Placeholder squares until the real piece pictures are drawn.
std::array<Image, 11> MakeTileSet() {
  std::array<Image, 11> tiles;
  const std::array<Color, 11> colours = {kCursorGreen, kCursorGreen, kCursorGreen, kDarkSquare,
                                         kPickedCyan,  kPickedCyan,  kLightSquare, kDarkSquare,
                                         kDarkSquare,  kDarkSquare,  kDarkSquare};
  for (std::size_t i = 0; i < tiles.size(); ++i) tiles[i] = Image(53, 53, Pixel(colours[i]));
  return tiles;
}

}  // namespace vorlask
