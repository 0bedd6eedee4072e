#include "ai/players.h"
#include "game/state.h"

namespace vorlask {

void TForm3::wolfb() {
  MoveMade = 1;
  TurnState = turn::kHuntersToMove;
  WolfMoved = 0;

  wolfc();
  if (WolfMoved == 1) return;

  // Without a wolf on the Board there is no square to start from; the later stages would read
  // and write the border, so the turn passes to the hunters with no move.
  if (!FindWolf(Board, FoundRow, FoundCol)) return;

  wolfd();
  if (WolfMoved == 1) return;

  if (const std::optional<Place> to = FallbackMove(Board, FoundRow, FoundCol)) {
    Board.Set(to->row, to->col, cell::kWolf);
    Board.Set(FoundRow, FoundCol, cell::kEmpty);
  }
  // Boxed in, which a game in play never is, the wolf "moves" onto its own square.
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
  const std::optional<Place> first = BreakthroughMove(Board, FoundRow, FoundCol);
  if (!first) return;
  WolfMoved = 1;
  MoveWolf({WolfRow, WolfCol}, *first);
}

void TForm3::MoveWolf(Place from, Place to) {
  AnimFromCol = static_cast<std::uint8_t>(from.col);
  AnimFromRow = static_cast<std::uint8_t>(from.row);
  Board.Set(to.row, to.col, cell::kWolf);
  Board.Set(from.row, from.col, cell::kEmpty);
  WolfRow = static_cast<std::uint8_t>(to.row);
  WolfCol = static_cast<std::uint8_t>(to.col);
  if (AnimateMoves == 1) {
    AnimToCol = WolfCol;
    AnimToRow = WolfRow;
    AnimateWolf();
  }
  RedrawBoard();
}

}  // namespace vorlask
