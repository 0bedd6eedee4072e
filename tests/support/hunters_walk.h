#pragma once

#include <array>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ai/hunter_patterns.h"
#include "ai/hunters.h"
#include "game/board.h"
#include "support/board_text.h"
#include "support/fake_platform.h"
#include "ui/form.h"

// Follows every line of play of a person's wolf against the computer hunters, through the
// window's own handlers with every picture drawn: the one walk that plays the real thing. The
// completeness test and the benchmark share it.
namespace vorlask::testing::hunters {

constexpr std::array<Square, 4> kDiagonals = {{{1, 1}, {-1, -1}, {-1, 1}, {1, -1}}};

inline bool WolfCaught(const TBoard& board) {
  const auto [r, c] = WolfOf(board);
  for (const auto& [dr, dc] : kDiagonals) {
    if (board.At(r + dr, c + dc) == '0') return false;
  }
  return true;
}

inline bool AllHuntersBlocked(const TBoard& board) {
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c) {
      if (board.At(r, c) == '2' &&
          (board.At(r - 1, c - 1) == '0' || board.At(r - 1, c + 1) == '0')) {
        return false;
      }
    }
  }
  return true;
}

inline int HuntersAbove(const TBoard& board, int wolf_row) {
  int n = 0;
  for (int r = 2; r < wolf_row; ++r) {
    for (int c = 2; c <= 9; ++c)
      n += board.At(r, c) == '2';
  }
  return n;
}

// Follows every sequence of legal wolf moves from a position with the wolf to move, the
// computer hunters answering each one. Positions (the Board, always with the wolf to move) are
// remembered, so each is explored once; meeting a position again on the current line of play
// would mean a game without end.
class Walk {
 public:
  explicit Walk(Game& game) : game_(game) {}

  void From(TBoard start) { Visit(start); }

  std::size_t positions() const { return state_.size(); }
  int games_caught() const { return games_caught_; }
  int passes() const { return passes_; }
  const std::array<int, kHunterPatternCount + 1>& entry_uses() const { return entry_uses_; }
  const std::string& failure() const { return failure_; }

 private:
  enum class Seen { kOnLine, kDone };

  void Fail(const std::string& what, const TBoard& board) {
    if (!failure_.empty()) return;
    std::ostringstream out;
    out << what << "\nafter the wolf's moves";
    for (const auto& [r, c] : line_)
      out << " (" << r << ", " << c << ")";
    out << "\n" << Picture(board);
    failure_ = out.str();
  }

  void Visit(const TBoard& board) {
    if (!failure_.empty()) return;
    const auto [it, fresh] = state_.try_emplace(Key(board), Seen::kOnLine);
    if (!fresh) {
      if (it->second == Seen::kOnLine) Fail("the game can go on for ever", board);
      return;
    }
    const auto [wr, wc] = WolfOf(board);
    for (const auto& [dr, dc] : kDiagonals) {
      const int r = wr + dr, c = wc + dc;
      if (board.At(r, c) != '0') continue;
      line_.emplace_back(r, c);
      WolfMoves(board, r, c);
      line_.pop_back();
      if (!failure_.empty()) return;
    }
    state_[Key(board)] = Seen::kDone;
  }

  // The person picks the wolf up and puts it down with two clicks; the turn cycle then runs the
  // end-of-game test and the computer hunters, exactly as in a game.
  void WolfMoves(const TBoard& board, int r, int c) {
    const auto [wr, wc] = WolfOf(board);
    TBoard after_wolf = board;
    after_wolf.Set(wr, wc, '0');
    after_wolf.Set(r, c, '3');

    TForm3& f = game_.form;
    f.Board = board;
    f.WolfRow = static_cast<std::uint8_t>(wr);
    f.WolfCol = static_cast<std::uint8_t>(wc);
    f.TurnState = 3;
    f.GameActive = 1;
    f.MoveMade = 1;
    game_.ClickSquare(wr, wc);
    game_.ClickSquare(r, c);

    const TBoard& now = f.Board;
    if (!CheckBoard(now).empty()) return Fail(CheckBoard(now), now);
    if (now.At(r, c) != '3') return Fail("the wolf's move was not made", now);
    if (r == 9) return Fail("the wolf reached the hunters' home row", now);
    if (HuntersAbove(now, r) > 2) return Fail("more than two hunters above the wolf", now);
    if (f.GameActive == 1 && f.TurnState != 3) {
      return Fail("no entry of the table fits", after_wolf);
    }

    if (now != after_wolf) {
      const std::optional<HunterMove> move = ChooseHunterMove(after_wolf);
      if (!move) return Fail("the hunters moved without an entry", after_wolf);
      ++entry_uses_[static_cast<std::size_t>(move->entry)];
      TBoard expected = after_wolf;
      expected.Set(move->from_row, move->from_col, '0');
      expected.Set(move->to_row, move->to_col, '2');
      if (now != expected || after_wolf.At(move->from_row, move->from_col) != '2' ||
          after_wolf.At(move->to_row, move->to_col) != '0' || move->to_row != move->from_row - 1 ||
          std::abs(move->to_col - move->from_col) != 1) {
        return Fail("entry " + std::to_string(move->entry) + " made an illegal move", after_wolf);
      }
    }
    if (f.GameActive == 0) {
      if (f.MessageLine2 != kCaughtLine2 || !WolfCaught(now)) {
        return Fail("the game ended with \"" + f.MessageLine2 + "\"", now);
      }
      ++games_caught_;
      return;
    }
    if (now == after_wolf) {
      // The hunters could not move and passed.
      if (!AllHuntersBlocked(now)) return Fail("the hunters passed with a move left", now);
      ++passes_;
    }
    if (WolfCaught(now)) return Fail("the wolf is caught but the game goes on", now);
    Visit(TBoard(now));
  }

  Game& game_;
  std::unordered_map<std::string, Seen> state_;
  std::vector<Square> line_;
  std::array<int, kHunterPatternCount + 1> entry_uses_{};
  int games_caught_ = 0;
  int passes_ = 0;
  std::string failure_;
};

}  // namespace vorlask::testing::hunters
