#include "game/rules.h"
#include "game/state.h"

namespace vorlask {

void TForm3::MoveInput() {
  Position position = CurrentPosition();
  const InputResult done = ApplyInput(position, CursorRow, CursorCol);
  Adopt(position);
  NoteCursorCell();

  const auto row = [](int r) { return static_cast<std::uint8_t>(r); };
  switch (done.effect) {
    case InputEffect::kSwitchedHunter:
      if (done.from != Place{}) DrawTile(tile::kDark, done.from.row, done.from.col);
      break;
    case InputEffect::kMovedWolf:
    case InputEffect::kMovedHunter:
      // Unanimated, the square left is painted empty at once; animated, the animation paints it.
      if (AnimateMoves == 0) {
        DrawTile(tile::kDark, done.from.row, done.from.col);
        break;
      }
      AnimFromCol = row(done.from.col);
      AnimFromRow = row(done.from.row);
      AnimToCol = row(done.to.col);
      AnimToRow = row(done.to.row);
      if (done.effect == InputEffect::kMovedWolf) {
        AnimateWolf();
      } else {
        AnimWolf = 0;
        wolf3();
      }
      break;
    default:
      break;
  }

  wolf1();
}

Position TForm3::CurrentPosition() const {
  return {Board, TurnState, WolfRow, WolfCol, MoveMade};
}

void TForm3::Adopt(const Position& position) {
  Board = position.board;
  TurnState = position.turn_state;
  WolfRow = position.wolf_row;
  WolfCol = position.wolf_col;
  MoveMade = position.move_made;
}

void TForm3::NoteCursorCell() {
  CursorCellCode = Board.At(CursorRow, CursorCol);
}

int TForm3::f_at(const std::string& row, char ch) {
  return FirstAt(row, ch);
}

}  // namespace vorlask
