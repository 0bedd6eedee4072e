#include <array>

#include "game/state.h"

namespace vorlask {

namespace {

struct Step {
  int dr, dc;
};
// The wolf's neighbours and a hunter's origins, in the order they are read.
constexpr std::array<Step, 4> kWolfNeighbours = {{{1, 1}, {-1, -1}, {-1, 1}, {1, -1}}};
// A hunter only moves up the board, so it comes from one of the two squares below its target.
constexpr std::array<Step, 2> kHunterOrigins = {{{1, 1}, {1, -1}}};

}  // namespace

void TForm3::MoveInput() {
  const int r = CursorRow;
  const int k = CursorCol;

  // Each step sees what the earlier ones left, so at most one of them changes anything.
  if (CursorCellCode == cell::kWolf && TurnState == turn::kWolfToMove) {
    Board.Set(r, k, cell::kPickedWolf);
    CursorCellCode = cell::kPickedWolf;
    TurnState = turn::kWolfPickedUp;
    WolfRow = static_cast<std::uint8_t>(r);
    WolfCol = static_cast<std::uint8_t>(k);
  }

  if (CursorCellCode == cell::kHunter && TurnState == turn::kHuntersToMove) {
    Board.Set(r, k, cell::kPickedHunter);
    CursorCellCode = cell::kPickedHunter;
    TurnState = turn::kHunterPickedUp;
  } else if (CursorCellCode == cell::kPickedHunter && TurnState == turn::kHunterPickedUp) {
    // Putting a hunter back counts as touching the game: options no longer restart it.
    Board.Set(r, k, cell::kHunter);
    CursorCellCode = cell::kHunter;
    TurnState = turn::kHuntersToMove;
    MoveMade = 1;
  }

  if (CursorCellCode == cell::kHunter && TurnState == turn::kHunterPickedUp) {
    for (int row = 1; row <= 10; ++row) {
      const int col = f_at(Board.Row(row), cell::kPickedHunter);
      if (col != 0) {
        Board.Set(row, col, cell::kHunter);
        DrawTile(tile::kDark, row, col);
        break;
      }
    }
    Board.Set(r, k, cell::kPickedHunter);
    CursorCellCode = cell::kPickedHunter;
  }

  if (CursorCellCode == cell::kEmpty && TurnState == turn::kWolfPickedUp) {
    for (const Step s : kWolfNeighbours) {
      const int fr = r + s.dr;
      const int fc = k + s.dc;
      if (Board.At(fr, fc) != cell::kPickedWolf) continue;
      Board.Set(fr, fc, cell::kEmpty);
      TurnState = turn::kHuntersToMove;
      MoveMade = 1;
      if (AnimateMoves == 0) {
        DrawTile(tile::kDark, fr, fc);
      } else {
        AnimFromCol = static_cast<std::uint8_t>(fc);
        AnimFromRow = static_cast<std::uint8_t>(fr);
      }
    }
    if (TurnState == turn::kHuntersToMove) {
      Board.Set(r, k, cell::kWolf);
      CursorCellCode = cell::kWolf;
      WolfRow = static_cast<std::uint8_t>(r);
      WolfCol = static_cast<std::uint8_t>(k);
      if (AnimateMoves == 1) {
        AnimToCol = WolfCol;
        AnimToRow = WolfRow;
        AnimateWolf();
      }
    }
  }

  if (CursorCellCode == cell::kEmpty && TurnState == turn::kHunterPickedUp) {
    for (const Step s : kHunterOrigins) {
      const int fr = r + s.dr;
      const int fc = k + s.dc;
      if (Board.At(fr, fc) != cell::kPickedHunter) continue;
      Board.Set(fr, fc, cell::kEmpty);
      TurnState = turn::kWolfToMove;
      if (AnimateMoves == 0) {
        DrawTile(tile::kDark, fr, fc);
      } else {
        AnimFromCol = static_cast<std::uint8_t>(fc);
        AnimFromRow = static_cast<std::uint8_t>(fr);
      }
    }
    if (TurnState == turn::kWolfToMove) {
      Board.Set(r, k, cell::kHunter);
      CursorCellCode = cell::kHunter;
      if (AnimateMoves == 1) {
        AnimWolf = 0;
        AnimToCol = static_cast<std::uint8_t>(k);
        AnimToRow = static_cast<std::uint8_t>(r);
        wolf3();
      }
    }
  }

  wolf1();
}

int TForm3::f_at(const std::string& row, char ch) {
  for (std::size_t i = 0; i < row.size() && i < 10; ++i) {
    if (row[i] == ch) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace vorlask
