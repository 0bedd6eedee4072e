#include <functional>
#include <optional>

#include "ai/wolf.h"
#include "ui/form.h"

namespace vorlask {

namespace {

// The computer wolf's choice, stage by stage through the one choice function that the walks
// through every line of play also run.
std::optional<WolfChoice> Choose(TForm3& form, WolfStage stage) {
  return ChooseWolfMove(
      form.Board, form.WolfRow, form.WolfCol, [&form] { return form.platform.RandomUniform(); },
      stage, stage);
}

}  // namespace

void TForm3::wolfb() {
  MoveMade = 1;
  TurnState = turn::kHuntersToMove;
  WolfMoved = 0;

  wolfc();
  if (WolfMoved == 1) return;

  // The fallback step is chosen here, before the breakthrough, which either moves the wolf and
  // ends the turn or leaves the Board as it is; the choice also says where the Board shows the
  // wolf. Without a wolf on the Board there is no square to start from, and the turn passes
  // to the hunters with no move.
  const std::optional<WolfChoice> step = Choose(*this, WolfStage::kFallback);
  if (!step) return;
  FoundRow = static_cast<std::uint8_t>(step->found.row);
  FoundCol = static_cast<std::uint8_t>(step->found.col);

  wolfd();
  if (WolfMoved == 1) return;

  // Boxed in, which a game in play never is, the wolf "moves" onto its own square.
  if (step->to != step->found) {
    Board.Set(step->to.row, step->to.col, cell::kWolf);
    Board.Set(FoundRow, FoundCol, cell::kEmpty);
  }
  WolfRow = static_cast<std::uint8_t>(step->to.row);
  WolfCol = static_cast<std::uint8_t>(step->to.col);
  if (AnimateMoves == 1) {
    AnimFromCol = FoundCol;
    AnimFromRow = FoundRow;
    AnimToCol = WolfCol;
    AnimToRow = WolfRow;
    AnimateWolf();
  }
  RedrawBoard();
}

void TForm3::wolfc() {
  WolfMoved = 0;
  const std::optional<WolfChoice> book = Choose(*this, WolfStage::kBook);
  if (!book) return;

  WolfMoved = 1;
  // The book's move names its target even when it is not animated.
  AnimToCol = static_cast<std::uint8_t>(book->to.col);
  AnimToRow = static_cast<std::uint8_t>(book->to.row);
  MoveWolf(book->from, book->to);
}

void TForm3::wolfd() {
  const std::optional<WolfChoice> path = Choose(*this, WolfStage::kBreakthrough);
  if (!path) return;
  WolfMoved = 1;
  MoveWolf(path->from, path->to);
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
