#include "ai/players.h"
#include "game/state.h"

namespace vorlask {

void TForm3::wolfa() {
  SeeAsHunters(Board, HunterView, HunterGap);
  const std::optional<HunterMove> move = FindHunterMove(HunterView, HunterGap);
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
