#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ai/hunter_patterns.h"
#include "support/fake_platform.h"

namespace vorlask::testing {
namespace {

using Square = std::pair<int, int>;

constexpr std::array<Square, 4> kDiagonals = {{{1, 1}, {-1, -1}, {-1, 1}, {1, -1}}};

std::string Key(const TBoard& board) {
  std::string key;
  for (int r = 2; r <= 9; ++r)
    key += board.Row(r).substr(1, 8);
  return key;
}

std::string Picture(const TBoard& board) {
  std::string text;
  for (int r = 2; r <= 9; ++r)
    text += "  " + board.Row(r).substr(1, 8) + "\n";
  return text;
}

Square WolfOf(const TBoard& board) {
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c) {
      if (board.At(r, c) == '3') return {r, c};
    }
  }
  return {0, 0};
}

bool WolfCaught(const TBoard& board) {
  const auto [r, c] = WolfOf(board);
  for (const auto& [dr, dc] : kDiagonals) {
    if (board.At(r + dr, c + dc) == '0') return false;
  }
  return true;
}

bool AllHuntersBlocked(const TBoard& board) {
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

int HuntersAbove(const TBoard& board, int wolf_row) {
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
  explicit Walk(TForm3& form) : form_(form) {}

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

  void WolfMoves(const TBoard& board, int r, int c) {
    TBoard after = board;
    const auto [wr, wc] = WolfOf(board);
    after.Set(wr, wc, '0');
    after.Set(r, c, '3');
    if (r == 9) return Fail("the wolf reached the hunters' home row", after);
    if (HuntersAbove(after, r) > 2) return Fail("more than two hunters above the wolf", after);
    if (WolfCaught(after)) {
      ++games_caught_;
      return;
    }
    if (AllHuntersBlocked(after)) {
      ++passes_;
      return Visit(after);
    }

    form_.Board = after;
    form_.WolfRow = static_cast<std::uint8_t>(r);
    form_.WolfCol = static_cast<std::uint8_t>(c);
    form_.TurnState = 0;
    form_.wolfa();
    if (form_.TurnState != 3) return Fail("no entry of the table fits", after);
    const HunterMove move = *FindHunterMove(form_.HunterView, form_.HunterGap);
    ++entry_uses_[static_cast<std::size_t>(move.entry)];

    TBoard expected = after;
    expected.Set(move.from_row, move.from_col, '0');
    expected.Set(move.to_row, move.to_col, '2');
    if (form_.Board != expected || after.At(move.from_row, move.from_col) != '2' ||
        after.At(move.to_row, move.to_col) != '0' || move.to_row != move.from_row - 1 ||
        std::abs(move.to_col - move.from_col) != 1 || !CheckBoard(form_.Board).empty()) {
      return Fail("entry " + std::to_string(move.entry) + " made an illegal move", after);
    }
    if (WolfCaught(form_.Board)) {
      ++games_caught_;
      return;
    }
    const TBoard next = form_.Board;
    Visit(next);
  }

  TForm3& form_;
  std::unordered_map<std::string, Seen> state_;
  std::vector<Square> line_;
  std::array<int, kHunterPatternCount + 1> entry_uses_{};
  int games_caught_ = 0;
  int passes_ = 0;
  std::string failure_;
};

TEST(HuntersCompleteness, EveryWolfPlayFromEitherStartEndsWithTheWolfCaught) {
  std::array<int, kHunterPatternCount + 1> uses{};
  for (const int layout : {1, 2}) {
    Game g(false);
    g.form.StartOption = static_cast<std::uint8_t>(layout);
    g.form.wolf0();
    Walk walk(g.form);
    walk.From(g.form.Board);
    ASSERT_EQ(walk.failure(), "") << "layout " << layout;
    std::cout << "[ walk     ] layout " << layout << ": " << walk.positions()
              << " positions with the wolf to move, " << walk.games_caught()
              << " endings with the wolf caught, " << walk.passes() << " passes\n";
    EXPECT_GT(walk.games_caught(), 0);
    for (std::size_t e = 1; e <= kHunterPatternCount; ++e)
      uses[e] += walk.entry_uses()[e];
  }
  for (std::size_t e = 1; e <= kHunterPatternCount; ++e) {
    EXPECT_GT(uses[e], 0) << "entry " << e << " is never used";
  }
}

}  // namespace
}  // namespace vorlask::testing
