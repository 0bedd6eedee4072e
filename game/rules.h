#pragma once

#include <cstdint>

#include "game/board.h"
#include "game/codes.h"

// The rules as plain values and functions: what a move does to the position and whether the
// game has ended. Nothing here draws or knows of the window; the form calls these and then
// draws what changed, and the walks run them by the million.
namespace vorlask {

// A square of the Board, rows and columns counted from 1.
struct Place {
  int row = 0;
  int col = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

// The rule state of a game: the Board, whose turn it is and whether a piece is in the hand, the
// wolf's square, and whether the game has been touched (options no longer restart it).
struct Position {
  TBoard board;
  std::uint8_t turn_state = turn::kWolfToMove;
  std::uint8_t wolf_row = 0;
  std::uint8_t wolf_col = 0;
  std::uint8_t move_made = 0;
  friend bool operator==(const Position&, const Position&) = default;
};

// The Board of a new game in start layout 1 or 2: the hunters on row 9, the wolf on (7, 4) or
// on (6, 5).
TBoard StartBoard(int layout);

// What pressing Enter on a square did.
enum class InputEffect {
  kNone,
  kPickedUpWolf,
  kPickedUpHunter,
  kPutBackHunter,
  kSwitchedHunter,  // the hunter in the hand was put back at `from`, the one at `to` taken
  kMovedWolf,
  kMovedHunter,
};
struct InputResult {
  InputEffect effect = InputEffect::kNone;
  Place from;
  Place to;
};

// Enter on (row, col): picks a piece up, puts it back, takes another hunter, or puts the piece
// in the hand down on a square it may move to. The wolf moves one square diagonally either
// way, a hunter one square diagonally up the board. Anything else changes nothing.
InputResult ApplyInput(Position& position, int row, int col);

enum class Ending { kNone, kCaught, kFree };
struct EndTest {
  Ending ending = Ending::kNone;
  // No hunter on the Board can move (a hunter in the hand does not count), so they pass.
  bool hunters_pass = false;
};

// Whether the game is over with the wolf at (wolf_row, wolf_col): caught when no square next
// to it is empty; free when it has reached the hunters' home row, when four hunters are stuck
// for good at the top, or when more than two hunters stand above it.
EndTest TestEnd(const TBoard& board, int wolf_row, int wolf_col);

}  // namespace vorlask
