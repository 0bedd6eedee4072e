#include "game/state.h"

namespace vorlask {

namespace {

// The wolf's square: the lowest Board row that holds a "3", and its first "3". False when
// there is no wolf on the Board (it is picked up).
bool FindWolf(const TBoard& board, std::uint8_t& row, std::uint8_t& col) {
  for (int r = 9; r >= 2; --r) {
    const int c = TForm3::f_at(board.Row(r), cell::kWolf);
    if (c != 0) {
      row = static_cast<std::uint8_t>(r);
      col = static_cast<std::uint8_t>(c);
      return true;
    }
  }
  return false;
}

}  // namespace

void TForm3::wolfb() {
  MoveMade = 1;
  TurnState = turn::kHuntersToMove;
  WolfMoved = 0;

  wolfc();
  if (WolfMoved == 1) return;

  // Without a "3" on the Board there is no square to start from; the later stages would read
  // and write the border, so the turn passes to the hunters with no move.
  if (!FindWolf(Board, FoundRow, FoundCol)) return;

  wolfd();
  if (WolfMoved == 1) return;

  // One step towards the middle of the board, downward first. Columns 2 to 4 lie left of the
  // middle; column 5 already counts as the right half and so prefers the left.
  const int preferred = FoundCol < 4.5 ? FoundCol + 1 : FoundCol - 1;
  const int other = FoundCol < 4.5 ? FoundCol - 1 : FoundCol + 1;
  for (const auto& [row, col] : {std::pair{FoundRow + 1, preferred},
                                 {FoundRow + 1, other},
                                 {FoundRow - 1, preferred},
                                 {FoundRow - 1, other}}) {
    if (Board.At(row, col) == cell::kEmpty) {
      Board.Set(row, col, cell::kWolf);
      Board.Set(FoundRow, FoundCol, cell::kEmpty);
      break;
    }
  }

  FindWolf(Board, WolfRow, WolfCol);
  if (AnimateMoves == 1) {
    AnimFromCol = FoundCol;
    AnimFromRow = FoundRow;
    AnimToCol = WolfCol;
    AnimToRow = WolfRow;
    AnimateWolf();
  }
  RedrawBoard();
}

void TForm3::wolfd() {
  for (const auto& [first_row, first_col] : {std::pair{FoundRow + 1, FoundCol - 1},
                                             {FoundRow + 1, FoundCol + 1},
                                             {FoundRow - 1, FoundCol - 1},
                                             {FoundRow - 1, FoundCol + 1}}) {
    if (Board.At(first_row, first_col) != cell::kEmpty) continue;

    // Down towards the hunters' home row, left before right; a blocked path is given up, not
    // retried through the other branch.
    int row = first_row, col = first_col;
    while (row != 9) {
      if (Board.At(row + 1, col - 1) == cell::kEmpty) {
        col -= 1;
      } else if (Board.At(row + 1, col + 1) == cell::kEmpty) {
        col += 1;
      } else {
        break;
      }
      row += 1;
    }
    if (row != 9) continue;

    WolfMoved = 1;
    Board.Set(first_row, first_col, cell::kWolf);
    Board.Set(WolfRow, WolfCol, cell::kEmpty);
    AnimFromCol = WolfCol;
    AnimFromRow = WolfRow;
    WolfRow = static_cast<std::uint8_t>(first_row);
    WolfCol = static_cast<std::uint8_t>(first_col);
    if (AnimateMoves == 1) {
      AnimToCol = WolfCol;
      AnimToRow = WolfRow;
      AnimateWolf();
    }
    RedrawBoard();
    return;
  }
}

}  // namespace vorlask
