#pragma once

#include <array>

#include "ui/canvas.h"

namespace vorlask {

// Colours of the board and the pieces, shared by the tile set and the bitmap maker so that a
// repaired square matches the background exactly.
inline constexpr Color kDarkSquare{0, 0, 0};
inline constexpr Color kLightSquare{123, 123, 0};
inline constexpr Color kCursorGreen{0, 132, 0};
inline constexpr Color kPickedCyan{0, 255, 255};
inline constexpr Color kHunterTop{198, 198, 198};
inline constexpr Color kHunterSide{132, 132, 132};
inline constexpr Color kWolfTop{132, 132, 255};
inline constexpr Color kWolfSide{0, 132, 255};

// The eleven 53 by 53 pictures of ImageList1, drawn by the program itself.
std::array<Image, 11> MakeTileSet();

// The hunter or the wolf as it stands on a square of the given side, drawn to that scale and
// alone, with the share of each edge pixel that the piece covers as the pixel's alpha. It is
// for pictures of the game made outside the window, such as its icons; the canvas would take
// every partly covered pixel as opaque.
Image DrawPiece(bool wolf, int side);

}  // namespace vorlask
