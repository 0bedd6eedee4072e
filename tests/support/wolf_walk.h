#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ai/wolf.h"
#include "ai/wolf_patterns.h"
#include "game/board.h"
#include "game/rules.h"
#include "support/board_text.h"
#include "support/fake_platform.h"
#include "ui/form.h"

// Follows every line of play of a person's hunters against the computer wolf, with the wolf's
// random choices taken both ways wherever they arise. The game starts through the window's
// handlers; the moves are then made by the rules alone, composed as the turn cycle composes
// them, so that hundreds of thousands of replies take seconds.
namespace vorlask::testing::wolf {

// A number that takes the second variant of every randomised book entry; 0.0, what the fake
// hands out once its numbers run out, takes the first.
inline constexpr double kSecondVariant = 0.99;

enum Stage { kBook, kBreakthrough, kFallback, kStageCount };
inline constexpr std::array<const char*, kStageCount> kStageNames = {"book", "breakthrough",
                                                                     "fallback"};

inline bool CanMove(const TBoard& board, Square wolf) {
  const auto [r, c] = wolf;
  return board.At(r + 1, c + 1) == '0' || board.At(r + 1, c - 1) == '0' ||
         board.At(r - 1, c + 1) == '0' || board.At(r - 1, c - 1) == '0';
}

// Whether the four hunters stand on the hunter cells of a book entry, as written or mirrored.
// Both variants of a randomised entry share their hunter cells, so when this fails the draw for
// the entry cannot matter.
inline bool HuntersOnEntry(const TBoard& board, const WolfPattern& entry) {
  int gap = 0;
  while (gap < 8 && TForm3::f_at(board.Row(9 - gap), '2') == 0)
    ++gap;
  for (const bool mirrored : {false, true}) {
    int hits = 0;
    for (int k = 1; k <= entry.RowCount() && 10 - k - gap >= 2; ++k) {
      for (int j = 1; j <= 8; ++j) {
        if (entry.Row(k, 0)[static_cast<std::size_t>(j - 1)] == '2' &&
            board.At(10 - k - gap, mirrored ? 10 - j : j + 1) == '2') {
          ++hits;
        }
      }
    }
    if (hits == 4) return true;
  }
  return false;
}

inline std::uint64_t Fnv1a(const std::string& text) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

class Walk {
 public:
  // position_limit bounds the positions explored, for builds too slow to explore them all.
  explicit Walk(Game& game, std::size_t position_limit = SIZE_MAX)
      : game_(game), position_limit_(position_limit) {
    for (const WolfPattern& entry : WolfPatterns) {
      if (entry.Randomised()) randomised_.push_back(&entry);
    }
  }

  // A new game of the given layout with the computer's opening move from the timer; then every
  // hunter move from there.
  void FromStart(int layout) {
    TForm3& f = game_.form;
    f.ModeOption = 3;
    f.StartOption = static_cast<std::uint8_t>(layout);
    f.wolf0();
    game_.platform.random_values.clear();
    game_.FireTimer();
    if (!CheckBoard(f.Board).empty()) return Fail(CheckBoard(f.Board), f.Board);
    if (f.TurnState != 0 || f.MoveMade != 0) return Fail("the opening move took the turn", f.Board);
    Visit(f.Board);
  }

  std::size_t positions() const { return seen_.size(); }
  const std::array<long, kStageCount>& stage_moves() const { return stage_moves_; }
  long turns() const { return turns_; }
  long random_branches() const { return random_branches_; }
  // A checksum of every (position, book move) pair met, so that a change to any book entry
  // that is ever used shows.
  std::uint64_t book_fingerprint() const { return book_fingerprint_; }
  long passes() const { return passes_; }
  long wolf_caught() const { return wolf_caught_; }
  long wolf_free() const { return wolf_free_; }
  const std::string& failure() const { return failure_; }

 private:
  void Fail(const std::string& what, const TBoard& board) {
    if (!failure_.empty()) return;
    std::ostringstream out;
    out << what << "\nafter the hunters' moves";
    for (const auto& [from, to] : line_) {
      out << " (" << from.first << ", " << from.second << ")-(" << to.first << ", " << to.second
          << ")";
    }
    out << "\n" << Picture(board);
    failure_ = out.str();
  }

  // A position with the hunters to move. Hunters only move forwards, so no position can come
  // back on a line of play and each needs exploring once.
  void Visit(const TBoard board) {
    if (!failure_.empty() || seen_.size() >= position_limit_) return;
    if (!seen_.insert(Key(board)).second) return;
    bool any_move = false;
    for (int r = 2; r <= 9; ++r) {
      for (int c = 2; c <= 9; ++c) {
        if (board.At(r, c) != '2') continue;
        for (const int dc : {-1, 1}) {
          if (board.At(r - 1, c + dc) != '0') continue;
          any_move = true;
          line_.push_back({{r, c}, {r - 1, c + dc}});
          HunterMove(board, {r, c}, {r - 1, c + dc});
          line_.pop_back();
          if (!failure_.empty()) return;
        }
      }
    }
    if (!any_move) Fail("the hunters are to move but none can", board);
  }

  // The numbers the computer wolf draws in one reply: those given, then 0.0, as the window's
  // random source hands them out in a test.
  struct Draws {
    const std::vector<double>& values;
    int taken = 0;
    double operator()() {
      const auto i = static_cast<std::size_t>(taken++);
      return i < values.size() ? values[i] : 0.0;
    }
  };

  static Position HuntersToMove(const TBoard& board) {
    const auto [wr, wc] = WolfOf(board);
    return {board, turn::kHuntersToMove, static_cast<std::uint8_t>(wr),
            static_cast<std::uint8_t>(wc), 1};
  }

  // One turn of the computer wolf: the turn passes to the hunters, and the wolf moves as it
  // chooses. Returns the stage that moved it, or -1.
  static int WolfTurn(Position& p, Draws& draw) {
    p.move_made = 1;
    p.turn_state = turn::kHuntersToMove;
    const std::optional<WolfChoice> choice =
        ChooseWolfMove(p.board, p.wolf_row, p.wolf_col, std::ref(draw));
    if (!choice) return -1;
    p.board.Set(choice->to.row, choice->to.col, cell::kWolf);
    p.board.Set(choice->from.row, choice->from.col, cell::kEmpty);
    p.wolf_row = static_cast<std::uint8_t>(choice->to.row);
    p.wolf_col = static_cast<std::uint8_t>(choice->to.col);
    return static_cast<int>(choice->stage);
  }

  // The end-of-game test as the turn cycle applies it. False when the game has ended.
  static bool GoesOn(Position& p, bool& caught) {
    const EndTest end = TestEnd(p.board, p.wolf_row, p.wolf_col);
    if (end.ending != Ending::kNone) {
      caught = end.ending == Ending::kCaught;
      return false;
    }
    if (end.hunters_pass && p.turn_state != turn::kWolfPickedUp) p.turn_state = turn::kWolfToMove;
    return true;
  }

  // What the turn cycle left after a hunter's move.
  struct Outcome {
    TBoard board;
    int draws = 0;  // random numbers drawn by the computer wolf
    bool active = false;
    bool caught = false;
  };

  // What one turn of the computer wolf alone did, and which stage moved it.
  struct TurnResult {
    bool wolf_to_move = false;
    TBoard board;
    int draws = 0;
    int stage = -1;
  };

  // Every sequence of random draws that can make a difference. The first run takes the first
  // variant at every draw; each draw it made is then taken the other way too. A draw whose
  // entry fits in neither variant changes nothing: such a run repeats its parent exactly, and
  // what follows from it is already covered by the parent's other branches. Whether a draw of
  // the wolf's first move changed anything is seen on its turn alone, which is cheap; a draw
  // of a further move, made while the hunters pass, on the whole turn cycle.
  void HunterMove(const TBoard& board, Square from, Square to) {
    struct Pending {
      std::vector<double> draws;
      TurnResult parent_turn;
      Outcome parent_cycle;
      bool root = true;
    };
    std::deque<Pending> pending(1);
    std::vector<TBoard> next;
    while (!pending.empty() && failure_.empty()) {
      const Pending branch = std::move(pending.front());
      pending.pop_front();
      const bool flips_first_turn =
          !branch.root && static_cast<int>(branch.draws.size()) <= branch.parent_turn.draws;
      if (flips_first_turn) {
        TBoard moved = board;
        moved.Set(from.first, from.second, '0');
        moved.Set(to.first, to.second, '2');
        const std::size_t flipped = branch.draws.size() - 1;
        if (flipped < randomised_.size() && !HuntersOnEntry(moved, *randomised_[flipped])) continue;
      }
      const TurnResult turn = Turn(board, from, to, branch.draws);
      if (!failure_.empty()) return;
      if (flips_first_turn && turn.draws == branch.parent_turn.draws &&
          turn.board == branch.parent_turn.board) {
        continue;
      }
      const Outcome o = Reply(board, from, to, branch.draws);
      if (!failure_.empty()) return;
      if (!branch.root && !flips_first_turn && o.draws == branch.parent_cycle.draws &&
          o.board == branch.parent_cycle.board) {
        continue;
      }
      ++random_branches_;
      if (turn.wolf_to_move) {
        ++turns_;
        if (turn.stage >= 0) ++stage_moves_[static_cast<std::size_t>(turn.stage)];
        // More than one wolf move in the cycle shows as a Board the single turn did not give.
        if (o.active && o.board != turn.board) ++passes_;
      }
      if (!o.active) {
        ++(o.caught ? wolf_caught_ : wolf_free_);
      } else if (std::find(next.begin(), next.end(), o.board) == next.end()) {
        next.push_back(o.board);
      }
      for (int i = static_cast<int>(branch.draws.size()); i < o.draws; ++i) {
        Pending other{branch.draws, turn, o, false};
        other.draws.resize(static_cast<std::size_t>(i), 0.0);
        other.draws.push_back(kSecondVariant);
        pending.push_back(std::move(other));
      }
    }
    for (const TBoard& b : next) {
      Visit(b);
      if (!failure_.empty()) return;
    }
  }

  // The wolf's turn alone, on the Board the turn cycle hands it.
  TurnResult Turn(const TBoard& board, Square from, Square to, const std::vector<double>& draws) {
    TurnResult result;
    TBoard moved = board;
    moved.Set(from.first, from.second, cell::kEmpty);
    moved.Set(to.first, to.second, cell::kHunter);
    Position p = HuntersToMove(moved);
    p.turn_state = turn::kWolfToMove;
    bool caught = false;
    if (!GoesOn(p, caught) || p.turn_state != turn::kWolfToMove) return result;
    result.wolf_to_move = true;
    const Square wolf = WolfOf(moved);
    Draws draw{draws};
    result.stage = WolfTurn(p, draw);
    result.board = p.board;
    result.draws = draw.taken;
    const Square now = WolfOf(p.board);
    // The Board itself is checked after the turn cycle.
    if (now != Square{p.wolf_row, p.wolf_col}) {
      Fail("WolfRow, WolfCol astray", p.board);
    } else if (now == wolf && CanMove(moved, wolf)) {
      Fail("the wolf stood still", moved);
    }
    if (result.stage == kBook) {
      // The sum is the same in whatever order the walk meets the moves.
      book_fingerprint_ += Fnv1a(Key(moved) + Key(p.board));
    }
    return result;
  }

  // The hunter's move by Enter on its square and on its target, and the computer's reply as
  // the turn cycle makes it: the end-of-game test, the wolf's turn, the test again, and further
  // wolf turns while the hunters have to pass.
  Outcome Reply(const TBoard& board, Square from, Square to, const std::vector<double>& draws) {
    Outcome o;
    Position p = HuntersToMove(board);
    if (ApplyInput(p, from.first, from.second).effect != InputEffect::kPickedUpHunter) {
      Fail("the hunter was not picked up", board);
      return o;
    }
    ApplyInput(p, to.first, to.second);
    Draws draw{draws};
    o.active = GoesOn(p, o.caught);
    if (o.active) {
      if (p.turn_state == turn::kWolfToMove) WolfTurn(p, draw);
      o.active = GoesOn(p, o.caught);
      for (int passes = 0;
           o.active && p.turn_state == turn::kWolfToMove && passes < kMaxComputerWolfPasses;
           ++passes) {
        WolfTurn(p, draw);
        o.active = GoesOn(p, o.caught);
      }
    }
    o.board = p.board;
    o.draws = draw.taken;
    const TBoard& now = p.board;
    if (!CheckBoard(now).empty()) {
      Fail(CheckBoard(now), now);
    } else if (now.At(to.first, to.second) != cell::kHunter) {
      Fail("the hunter's move was not made", now);
    } else if (WolfOf(now) != Square{p.wolf_row, p.wolf_col}) {
      Fail("WolfRow, WolfCol astray", now);
    } else if (!o.active && o.caught && CanMove(now, WolfOf(now))) {
      Fail("caught with a square to go to", now);
    } else if (o.active && p.turn_state != turn::kHuntersToMove) {
      // The turn cycle hands the turn back to the hunters unless they must pass for ever.
      Fail("the wolf kept the turn", now);
    } else if (o.active && WolfOf(now) == WolfOf(board)) {
      Fail("the wolf did not reply", now);
    }
    return o;
  }

  Game& game_;
  std::size_t position_limit_;
  std::vector<const WolfPattern*> randomised_;  // the i-th draw of a turn is for entry i here
  std::unordered_set<std::string> seen_;
  std::vector<std::pair<Square, Square>> line_;
  std::array<long, kStageCount> stage_moves_{};
  long turns_ = 0;
  long random_branches_ = 0;
  long passes_ = 0;
  long wolf_caught_ = 0;
  long wolf_free_ = 0;
  std::string failure_;
  std::uint64_t book_fingerprint_ = 0;
};

}  // namespace vorlask::testing::wolf
