#include "game/rules.h"
#include "ui/form.h"

namespace vorlask {

void TForm3::MoveInput() {
  Position position = CurrentPosition();
  const InputResult done = ApplyInput(position, CursorRow, CursorCol);
  Adopt(position);
  NoteCursorCell();

  const auto byte = [](int n) { return static_cast<std::uint8_t>(n); };
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
      AnimFromCol = byte(done.from.col);
      AnimFromRow = byte(done.from.row);
      AnimToCol = byte(done.to.col);
      AnimToRow = byte(done.to.row);
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

}  // namespace vorlask
