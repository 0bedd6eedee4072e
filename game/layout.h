#pragma once

#include <array>
#include <cstdint>

#include "game/codes.h"

// Where everything stands in the 615 by 480 window. Drawing, the mapping of clicks to squares
// and commands, the tool that paints the background and the tests all read this one table, so
// that a frame and the area that answers to it cannot drift apart.
namespace vorlask {

// The window's client area, and the side of a tile of the board.
inline constexpr int kClientWidth = 615;
inline constexpr int kClientHeight = 480;
inline constexpr int kTileSize = 53;

}  // namespace vorlask

namespace vorlask::layout {

// The background picture's top-left corner.
inline constexpr int kBackgroundX = 8;
inline constexpr int kBackgroundY = 8;

// The board: square (row, col) has its top-left pixel at (pitch * col - origin x,
// pitch * row - origin y); a tile is one pixel narrower than the pitch, the line between.
inline constexpr int kBoardOriginX = 86;
inline constexpr int kBoardOriginY = 85;
inline constexpr int kSquarePitch = 54;
constexpr int SquareX(int col) {
  return kSquarePitch * col - kBoardOriginX;
}
constexpr int SquareY(int row) {
  return kSquarePitch * row - kBoardOriginY;
}

// The seven option boxes of the panel, from top to bottom. A box answers strictly inside its
// frame: x between kBoxLeft and kBoxLeft + kBoxWidth, y between top and top + kBoxHeight. Its
// mark is drawn at (kMarkX, top + kMarkDy).
struct OptionBox {
  int top;
  std::uint16_t command;
};
inline constexpr int kBoxLeft = 470;
inline constexpr int kBoxWidth = 133;
inline constexpr int kBoxHeight = 26;
inline constexpr int kMarkX = 472;
inline constexpr int kMarkDy = 5;
inline constexpr std::array<OptionBox, 7> kOptionBoxes = {{{123, vk::kT},
                                                           {155, vk::kH},
                                                           {187, vk::kP},
                                                           {259, vk::k1},
                                                           {291, vk::k2},
                                                           {391, vk::kS},
                                                           {423, vk::kA}}};
// Boxes by meaning: the mode boxes for ModeOption 1..3, the start boxes for StartOption 1..2.
inline constexpr int kFirstModeBox = 0;
inline constexpr int kFirstStartBox = 3;
inline constexpr int kMusicBox = 5;
inline constexpr int kAnimationBox = 6;
constexpr int MarkY(int box) {
  return kOptionBoxes[static_cast<std::size_t>(box)].top + kMarkDy;
}

// The start box answers strictly inside these bounds; its pressed picture goes at kPressed*.
inline constexpr int kStartLeft = 480;
inline constexpr int kStartRight = 600;
inline constexpr int kStartTop = 345;
inline constexpr int kStartBottom = 378;
inline constexpr int kPressedX = 478;
inline constexpr int kPressedY = 344;

// The message block at the top of the panel: a rectangle (right and bottom exclusive) and the
// tops of its three lines.
inline constexpr int kMessageLeft = 455;
inline constexpr int kMessageTop = 0;
inline constexpr int kMessageRight = 614;
inline constexpr int kMessageBottom = 85;
inline constexpr int kMessageTextX = 456;
inline constexpr std::array<int, 3> kMessageLineY = {12, 41, 70};
inline constexpr int kMessageFontSize = 14;

// The part of the picture that shows the board with its coordinates and nothing of the panel,
// whose message block starts at kMessageLeft: what a small screen shows of the window.
inline constexpr int kBoardPartX = 8;
inline constexpr int kBoardPartY = 12;
inline constexpr int kBoardPartWidth = kMessageLeft - kBoardPartX;
inline constexpr int kBoardPartHeight = 464;

}  // namespace vorlask::layout
