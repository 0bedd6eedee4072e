#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ai/hunter_patterns.h"
#include "game/board.h"
#include "game/rules.h"

// The computer players' choices as plain functions of the Board. They move nothing: the form
// (or a walk) makes the move they name.
namespace vorlask {

// The field as the hunters see it from their home row: view[i] holds characters 2..9 of Board
// row 10 - i (i = 1..8), the other entries are empty; gap is the number of rows below the
// rearmost hunter. Both computer players read their tables through it.
using HunterView = std::array<std::string, 11>;
void SeeAsHunters(const TBoard& board, HunterView& view, std::uint8_t& gap);

// The hunters' reply on this Board, if their table has one.
std::optional<HunterMove> ChooseHunterMove(const TBoard& board);
// The hunter steps from its square to its target.
void MakeHunterMove(TBoard& board, const HunterMove& move);

// The wolf's first choice, from its book: the square it moves to. draw gives one number in
// [0, 1) for every randomised entry the search reaches. Nothing when no entry fits, or when
// the entry that fits points beyond the top of the field.
std::optional<Place> BookMove(const TBoard& board, const HunterView& view, int gap,
                              const std::function<double()>& draw);
// The wolf's square: the lowest Board row that holds a wolf not in the hand, and its first one.
// False when there is none.
bool FindWolf(const TBoard& board, std::uint8_t& row, std::uint8_t& col);
// The wolf's second choice: a neighbour of (row, col) from which a path of empty squares,
// always downward, left before right, reaches the hunters' home row.
std::optional<Place> BreakthroughMove(const TBoard& board, int row, int col);
// The last choice: one step from (row, col) towards the middle of the board, downward first.
std::optional<Place> FallbackMove(const TBoard& board, int row, int col);

enum class WolfStage { kBook, kBreakthrough, kFallback };
struct WolfChoice {
  WolfStage stage = WolfStage::kBook;
  Place from;
  Place to;
};
// The computer wolf's whole choice with the wolf at (wolf_row, wolf_col), stage by stage as
// its turn makes it.
std::optional<WolfChoice> ChooseWolfMove(const TBoard& board, int wolf_row, int wolf_col,
                                         const std::function<double()>& draw);

}  // namespace vorlask
