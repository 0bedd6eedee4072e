#include "ai/players.h"
#include "game/state.h"

namespace vorlask {

void TForm3::wolfc() {
  WolfMoved = 0;
  SeeAsHunters(Board, HunterView, HunterGap);
  const std::optional<Place> target =
      BookMove(Board, HunterView, HunterGap, [this] { return platform.RandomUniform(); });
  if (!target) return;

  WolfMoved = 1;
  // The book's move names its target even when it is not animated.
  AnimToCol = static_cast<std::uint8_t>(target->col);
  AnimToRow = static_cast<std::uint8_t>(target->row);
  MoveWolf({WolfRow, WolfCol}, *target);
}

}  // namespace vorlask
