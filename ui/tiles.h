#pragma once

#include <array>

#include "gfx/canvas.h"

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

// A piece is a disc seen from above and in front, in a tile's own pixels: a top ellipse, the
// same ellipse lowered by the disc's thickness, and the side band between them, with a black
// outline, a recess in the middle of the top face and a few lit and shaded bands. The tile
// set and the icons, bitmap and scalable alike, are all drawn from these numbers.
struct PieceShape {
  // The disc fills columns 3..49 and rows 7..46 of a tile.
  double left = 3.0, right = 50.0, top = 7.0, bottom = 47.0;
  double thickness = 11.0;
  double outline = 1.25;
  // The recess in the middle of the top face, and how far down its lit floor and its lit near
  // lip lie.
  double recess_x = 11.5, recess_y = 6.4, recess_floor_drop = 2.2, recess_lip_drop = 1.4;
  // The gleam on the far edge of the top face: the part of the inner top face outside this
  // shifted, shrunk ellipse, left of centre_x + gleam_right and above top_face_y - gleam_above.
  double gleam_shift_x = 1.2, gleam_shift_y = 1.6, gleam_shrink_x = 1.0, gleam_shrink_y = 0.6;
  double gleam_right = 4.0, gleam_above = 2.0;
  // The side band is darker where the inner disc lowered by this much does not reach.
  double rim_drop = 2.0;
  // The sheen down the side band, as shares of radius_x left of the centre.
  double sheen_from = 0.7, sheen_to = 0.55;

  constexpr double centre_x() const { return (left + right) / 2; }
  constexpr double radius_x() const { return (right - left) / 2; }
  constexpr double radius_y() const { return (bottom - top - thickness) / 2; }
  constexpr double top_face_y() const { return top + radius_y(); }
};
inline constexpr PieceShape kPieceShape{};

struct PieceColours {
  Color top, side, recess, shadow, gleam, rim, sheen;
};
PieceColours ColoursOfPiece(bool wolf);

// The eleven 53 by 53 pictures of ImageList1, drawn by the program itself.
std::array<Image, 11> MakeTileSet();

// The hunter or the wolf as it stands on a square of the given side, drawn to that scale and
// alone, with the share of each edge pixel that the piece covers as the pixel's alpha. It is
// for pictures of the game made outside the window, such as its icons; the canvas would take
// every partly covered pixel as opaque.
Image DrawPiece(bool wolf, int side);

}  // namespace vorlask
