#include "game/rules.h"

#include <array>

namespace vorlask {

namespace {

constexpr std::array<const char*, 10> kLayoutRows = {
    "9999999999", "9101010109", "9010101019", "9101010109", "9010101019",
    "9101010109", "9010101019", "9101010109", "9212121219", "9999999999"};
// Rows 6 and 7 of the two start layouts: the wolf at (7, 4) or at (6, 5).
constexpr std::array<std::array<const char*, 2>, 2> kWolfRows = {
    {{"9101010109", "9013101019"}, {"9101310109", "9010101019"}}};

struct Step {
  int dr, dc;
};
// The wolf's neighbours and a hunter's origins, in the order they are read.
constexpr std::array<Step, 4> kWolfNeighbours = {{{1, 1}, {-1, -1}, {-1, 1}, {1, -1}}};
// A hunter only moves up the board, so it comes from one of the two squares below its target.
constexpr std::array<Step, 2> kHunterOrigins = {{{1, 1}, {1, -1}}};

// Puts the piece in the hand (`picked`, found next to the target by `origins`) down on the
// target: the square it came from is emptied. Returns that square, or (0, 0) when the piece in
// the hand is not next to the target.
template <std::size_t N>
Place PutDown(TBoard& board, int row, int col, char picked, const std::array<Step, N>& origins) {
  Place from;
  for (const Step s : origins) {
    if (board.At(row + s.dr, col + s.dc) != picked) continue;
    board.Set(row + s.dr, col + s.dc, cell::kEmpty);
    from = {row + s.dr, col + s.dc};
  }
  return from;
}

// The hunter in the hand goes back to its square, and the one at (row, col) is taken instead.
InputResult SwitchHunter(TBoard& board, int row, int col) {
  InputResult result{InputEffect::kSwitchedHunter, {}, {row, col}};
  for (int r = 1; r <= 10; ++r) {
    const int c = FirstAt(board.Row(r), cell::kPickedHunter);
    if (c != 0) {
      board.Set(r, c, cell::kHunter);
      result.from = {r, c};
      break;
    }
  }
  board.Set(row, col, cell::kPickedHunter);
  return result;
}

// The piece in the hand put down on the empty square (row, col), if it may move there.
InputResult MovePiece(Position& p, int row, int col) {
  TBoard& board = p.board;
  if (p.turn_state == turn::kWolfPickedUp) {
    const Place from = PutDown(board, row, col, cell::kPickedWolf, kWolfNeighbours);
    if (from == Place{}) return {};
    board.Set(row, col, cell::kWolf);
    p.turn_state = turn::kHuntersToMove;
    p.move_made = 1;
    p.wolf_row = static_cast<std::uint8_t>(row);
    p.wolf_col = static_cast<std::uint8_t>(col);
    return {InputEffect::kMovedWolf, from, {row, col}};
  }
  if (p.turn_state == turn::kHunterPickedUp) {
    const Place from = PutDown(board, row, col, cell::kPickedHunter, kHunterOrigins);
    if (from == Place{}) return {};
    board.Set(row, col, cell::kHunter);
    p.turn_state = turn::kWolfToMove;
    return {InputEffect::kMovedHunter, from, {row, col}};
  }
  return {};
}

}  // namespace

TBoard StartBoard(int layout) {
  TBoard board;
  for (int r = 1; r <= 10; ++r)
    board.Row(r) = kLayoutRows[static_cast<std::size_t>(r - 1)];
  const std::size_t wolf = layout == 1 ? 0 : 1;
  board.Row(6) = kWolfRows[wolf][0];
  board.Row(7) = kWolfRows[wolf][1];
  return board;
}

InputResult ApplyInput(Position& p, int row, int col) {
  TBoard& board = p.board;
  const char code = board.At(row, col);
  const auto row_byte = static_cast<std::uint8_t>(row);
  const auto col_byte = static_cast<std::uint8_t>(col);

  if (code == cell::kWolf && p.turn_state == turn::kWolfToMove) {
    board.Set(row, col, cell::kPickedWolf);
    p.turn_state = turn::kWolfPickedUp;
    p.wolf_row = row_byte;
    p.wolf_col = col_byte;
    return {InputEffect::kPickedUpWolf, {row, col}, {row, col}};
  }
  if (code == cell::kHunter && p.turn_state == turn::kHuntersToMove) {
    board.Set(row, col, cell::kPickedHunter);
    p.turn_state = turn::kHunterPickedUp;
    return {InputEffect::kPickedUpHunter, {row, col}, {row, col}};
  }
  if (code == cell::kPickedHunter && p.turn_state == turn::kHunterPickedUp) {
    // Putting a hunter back counts as touching the game: options no longer restart it.
    board.Set(row, col, cell::kHunter);
    p.turn_state = turn::kHuntersToMove;
    p.move_made = 1;
    return {InputEffect::kPutBackHunter, {row, col}, {row, col}};
  }
  if (code == cell::kHunter && p.turn_state == turn::kHunterPickedUp) {
    return SwitchHunter(board, row, col);
  }
  if (code == cell::kEmpty) return MovePiece(p, row, col);
  return {};
}

EndTest TestEnd(const TBoard& board, int wr, int wc) {
  const auto hunter = [&board](int row, int col) { return board.At(row, col) == cell::kHunter; };
  EndTest result;

  // Caught: no empty square next to the wolf, wherever it stands and whoever is to move.
  if (board.At(wr + 1, wc + 1) != cell::kEmpty && board.At(wr - 1, wc - 1) != cell::kEmpty &&
      board.At(wr + 1, wc - 1) != cell::kEmpty && board.At(wr - 1, wc + 1) != cell::kEmpty) {
    result.ending = Ending::kCaught;
    return result;
  }

  // Through: the wolf stands on the hunters' home row.
  if (wr == 9) result.ending = Ending::kFree;

  // Stuck for good: a hunter on row 2 can never move, nor one on row 3 whose squares in front
  // hold hunters. Four of them mean no hunter will ever move again.
  int stuck = 0;
  if (hunter(3, 2) && hunter(2, 3)) ++stuck;
  if (hunter(3, 4) && hunter(2, 3) && hunter(2, 5)) ++stuck;
  if (hunter(3, 6) && hunter(2, 5) && hunter(2, 7)) ++stuck;
  if (hunter(3, 8) && hunter(2, 7) && hunter(2, 9)) ++stuck;
  for (int col : {3, 5, 7, 9}) {
    if (hunter(2, col)) ++stuck;
  }
  if (stuck == 4) result.ending = Ending::kFree;

  // Past the wolf: hunters never move back down, so those above the wolf's row are out of play.
  // Hunters on (4, 9) and (3, 8) together count once more.
  int past = 0;
  for (int row = 2; row < wr; ++row) {
    for (int col = 1; col <= 10; ++col) {
      if (hunter(row, col)) ++past;
    }
  }
  if (hunter(4, 9) && hunter(3, 8)) ++past;
  if (past > 2) result.ending = Ending::kFree;

  int blocked = 0;
  for (int row = 1; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      if (!hunter(row, col)) continue;
      if (board.At(row - 1, col - 1) == cell::kEmpty || board.At(row - 1, col + 1) == cell::kEmpty)
        return result;
      ++blocked;
    }
  }
  result.hunters_pass = blocked == 4;
  return result;
}

}  // namespace vorlask
