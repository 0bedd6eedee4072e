#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ai/hunter_patterns.h"
#include "game/board.h"

// The computer hunters' choice as a plain function of the Board. It moves nothing: the form (or
// a walk through every line of play) makes the move it names.
namespace vorlask {

// The field as the hunters see it from their home row: view[i] holds characters 2..9 of Board
// row 10 - i (i = 1..8), the other entries are empty; gap is the number of rows below the
// rearmost hunter. Both computer players read their tables through it.
using HunterView = std::array<std::string, 11>;
void SeeAsHunters(const TBoard& board, HunterView& view, std::uint8_t& gap);

// A hunter move chosen from the table, in Board squares.
struct HunterMove {
  int entry = 0;  // 1..35, the table entry that fitted
  bool mirrored = false;
  int from_row = 0, from_col = 0;
  int to_row = 0, to_col = 0;
};

// The hunters' reply on this Board: the first entry, as written and then mirrored, that finds
// the four hunters on its squares, the wolf on one of its wolf squares (or carries the any-wolf
// mark) and an empty square of the field as its target. Nothing fits on a formation the table
// does not know.
std::optional<HunterMove> ChooseHunterMove(const TBoard& board);
// The hunter steps from its square to its target.
void MakeHunterMove(TBoard& board, const HunterMove& move);

}  // namespace vorlask
