#pragma once

#include <functional>
#include <optional>

#include "game/board.h"
#include "game/rules.h"

// The computer wolf's choice as a plain function of the Board. It moves nothing: the form (or a
// walk through every line of play) makes the move it names.
namespace vorlask {

// The three stages of the wolf's choice, in the order they are tried: its book of formations,
// a diagonal path down to the hunters' home row, one step towards the middle of the board.
enum class WolfStage { kBook, kBreakthrough, kFallback };

struct WolfChoice {
  WolfStage stage = WolfStage::kBook;
  // Where the Board shows the wolf: the lowest row that holds a wolf not in the hand, and its
  // first one. The later stages start from it; the book does not look.
  Place found;
  // The square the wolf leaves: the book and the breakthrough empty the wolf's known square, the
  // fallback step its found one.
  Place from;
  // The square it reaches. A wolf boxed in, which a game in play never is, stays where it is
  // (from == to) and the choice is still the fallback step's.
  Place to;
};

// The computer wolf's choice with the wolf known to stand at (wolf_row, wolf_col), stage by
// stage from `first` to `last`: the form's wolf plays its turn stage by stage, each stage
// asking for itself, and a walk asks for the whole. draw gives one number in [0, 1) for every
// randomised entry the book reaches. Nothing when no stage has a move, or when the Board shows
// no wolf for the later stages to start from.
std::optional<WolfChoice> ChooseWolfMove(const TBoard& board, int wolf_row, int wolf_col,
                                         const std::function<double()>& draw,
                                         WolfStage first = WolfStage::kBook,
                                         WolfStage last = WolfStage::kFallback);

}  // namespace vorlask
