#include "game/state.h"

namespace vorlask {

void TForm3::wolf2a() {
  const auto hunter = [this](int row, int col) { return Board.At(row, col) == cell::kHunter; };
  const auto wolf_free = [this] {
    MessageLine1 = kFreeLine1;
    MessageLine2 = kFreeLine2;
    MessageLine3 = kFreeLine3;
    GameActive = 0;
  };

  // Caught: no empty square next to the wolf, wherever it stands and whoever is to move.
  const int wr = WolfRow;
  const int wc = WolfCol;
  if (Board.At(wr + 1, wc + 1) != cell::kEmpty && Board.At(wr - 1, wc - 1) != cell::kEmpty &&
      Board.At(wr + 1, wc - 1) != cell::kEmpty && Board.At(wr - 1, wc + 1) != cell::kEmpty) {
    MessageLine1 = kCaughtLine1;
    MessageLine2 = kCaughtLine2;
    MessageLine3 = kCaughtLine3;
    GameActive = 0;
    return;
  }

  // Through: the wolf stands on the hunters' home row.
  if (WolfRow == 9) wolf_free();

  // Stuck for good: a hunter on row 2 can never move, nor one on row 3 whose squares in front
  // hold hunters. Four of them mean no hunter will ever move again.
  int stuck = 0;
  if (hunter(3, 2) && hunter(2, 3)) ++stuck;
  if (hunter(3, 4) && hunter(2, 3) && hunter(2, 5)) ++stuck;
  if (hunter(3, 6) && hunter(2, 5) && hunter(2, 7)) ++stuck;
  if (hunter(3, 8) && hunter(2, 7) && hunter(2, 9)) ++stuck;
  for (int col : {3, 5, 7, 9}) {
    if (hunter(2, col)) ++stuck;
  }
  if (stuck == 4) wolf_free();

  // Past the wolf: hunters never move back down, so those above the wolf's row are out of play.
  // Hunters on (4, 9) and (3, 8) together count once more.
  int past = 0;
  for (int row = 2; row < wr; ++row) {
    for (int col = 1; col <= 10; ++col) {
      if (hunter(row, col)) ++past;
    }
  }
  if (hunter(4, 9) && hunter(3, 8)) ++past;
  if (past > 2) wolf_free();

  if (GameActive != 1) return;

  // The hunters pass when none of them can move; a picked-up hunter is not counted, so holding
  // one prevents the pass.
  int blocked = 0;
  for (int row = 1; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      if (!hunter(row, col)) continue;
      if (Board.At(row - 1, col - 1) == cell::kEmpty || Board.At(row - 1, col + 1) == cell::kEmpty)
        return;
      ++blocked;
    }
  }
  if (blocked == 4 && TurnState != turn::kWolfPickedUp) TurnState = turn::kWolfToMove;
}

}  // namespace vorlask
