#include "ai/hunters.h"
#include "ui/form.h"

namespace vorlask {

void TForm3::wolfa() {
  const std::optional<HunterMove> move = ChooseHunterMove(Board);
  if (!move) return;

  MakeHunterMove(Board, *move);
  AnimToRow = static_cast<std::uint8_t>(move->to_row);
  AnimToCol = static_cast<std::uint8_t>(move->to_col);
  AnimFromRow = static_cast<std::uint8_t>(move->from_row);
  AnimFromCol = static_cast<std::uint8_t>(move->from_col);
  TurnState = turn::kWolfToMove;
  if (AnimateMoves == 1) wolf3();
  RedrawBoard();
}

}  // namespace vorlask
