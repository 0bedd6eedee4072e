#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/checked_game.h"
#include "support/wolf_positions.h"

namespace vorlask::testing {
namespace {

enum class Result { kGoesOn, kCaught, kFree };

const char* Name(Result r) {
  return r == Result::kGoesOn ? "the game goes on" : r == Result::kCaught ? "caught" : "free";
}

void ExpectResult(const TForm3& f, Result expected) {
  const Result got = f.GameActive == 1                ? Result::kGoesOn
                     : f.MessageLine2 == kCaughtLine2 ? Result::kCaught
                                                      : Result::kFree;
  EXPECT_EQ(Name(got), std::string(Name(expected)));
  if (expected == Result::kCaught) {
    EXPECT_EQ(f.MessageLine1, "  Волк  пойман !");
    EXPECT_EQ(f.MessageLine2, "     The wolf is");
    EXPECT_EQ(f.MessageLine3, "         caught ! ");
  } else if (expected == Result::kFree) {
    EXPECT_EQ(f.MessageLine1, "Волк вырвался!");
    EXPECT_EQ(f.MessageLine2, "    The wolf has");
    EXPECT_EQ(f.MessageLine3, "        broken !   ");
  }
}

// The result block: an olive frame and blue text.
bool ShowsResultBlock(const CheckedGame& g) {
  if (g.PixelAt(455, 40) != kOlive) return false;
  for (int y = 12; y < 85; ++y) {
    for (int x = 456; x < 613; ++x) {
      if (g.PixelAt(x, y) == kBlue) return true;
    }
  }
  return false;
}

// Each of the wolf's four neighbours on its own: free with the other three blocked, blocked by
// a hunter, and blocked by the border, from the middle, the edges and the home row.
TEST(EndOfGame, EachNeighbourOfTheWolfCountsOnItsOwn) {
  const Square wolves[] = {{5, 4}, {5, 2}, {4, 9}, {2, 5}, {9, 4}};
  const Square steps[] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
  Game g(false);
  for (const Square& wolf : wolves) {
    for (const Square& step : steps) {
      const Square n{wolf.first + step.first, wolf.second + step.second};
      const bool on_field = n.first >= 2 && n.first <= 9 && n.second >= 2 && n.second <= 9;
      for (const char code : on_field ? std::string("02") : std::string("9")) {
        SCOPED_TRACE("wolf (" + std::to_string(wolf.first) + ", " + std::to_string(wolf.second) +
                     "), neighbour (" + std::to_string(n.first) + ", " + std::to_string(n.second) +
                     ") holds " + code);
        SetPosition(g.form, {}, wolf);
        for (const Square& other : steps) {
          g.form.Board.Set(wolf.first + other.first, wolf.second + other.second, '2');
        }
        g.form.Board.Set(n.first, n.second, code);
        g.form.GameActive = 1;
        g.form.TurnState = 0;
        g.form.wolf2a();
        const bool free = code == '0';
        ExpectResult(g.form, !free             ? Result::kCaught
                             : wolf.first == 9 ? Result::kFree
                                               : Result::kGoesOn);
      }
    }
  }
}

// A position written over a two-player game after the wolf's first move, then moves played
// with the keys (or, without moves, the end-of-game test run twice on its own).
struct EndCase {
  const char* name;
  std::vector<Square> hunters;
  Square wolf;
  int turn_state;
  std::vector<std::pair<Square, Square>> moves;
  Result result;
  int turn_after = -1;  // -1: not looked at
};

const std::vector<EndCase>& EndCases() {
  static const std::vector<EndCase> cases = {
      {"hunters close the last free square",
       {{4, 3}, {4, 5}, {6, 3}, {7, 6}},
       {5, 4},
       0,
       {{{7, 6}, {6, 5}}},
       Result::kCaught},
      {"the border helps catch the wolf",
       {{4, 3}, {7, 4}, {9, 6}, {9, 8}},
       {5, 2},
       0,
       {{{7, 4}, {6, 3}}},
       Result::kCaught},
      {"caught on the home row is caught",
       {{8, 3}, {9, 6}, {9, 8}, {8, 9}},
       {9, 2},
       3,
       {},
       Result::kCaught},
      {"the wolf reaches the home row",
       {{9, 2}, {9, 8}, {7, 2}, {7, 8}},
       {8, 5},
       3,
       {{{8, 5}, {9, 6}}},
       Result::kFree},
      // Two hunters on row 2 and the wolf on row 3, so that no other rule applies.
      {"all hunters stuck at the top",
       {{3, 2}, {2, 3}, {2, 5}, {4, 5}},
       {3, 8},
       0,
       {{{4, 5}, {3, 4}}},
       Result::kFree},
      {"three hunters past the wolf",
       {{4, 3}, {3, 2}, {5, 8}, {9, 2}},
       {5, 6},
       0,
       {{{5, 8}, {4, 7}}},
       Result::kFree},
      {"two hunters on the right edge count as three",
       {{3, 8}, {5, 8}, {8, 3}, {9, 4}},
       {5, 4},
       0,
       {{{5, 8}, {4, 9}}},
       Result::kFree},
      {"the hunters pass when none can move",
       {{2, 3}, {3, 2}, {3, 4}, {2, 7}},
       {3, 6},
       3,
       {{{3, 6}, {2, 5}}},
       Result::kGoesOn,
       3},
      {"the wolf's second move frees a hunter, whose move ends the game",
       {{2, 3}, {3, 2}, {3, 4}, {2, 7}},
       {2, 5},
       3,
       {{{2, 5}, {3, 6}}, {{3, 4}, {2, 5}}},
       Result::kFree},
  };
  return cases;
}

TEST(EndOfGame, PositionsAndTheirResults) {
  for (const EndCase& c : EndCases()) {
    SCOPED_TRACE(c.name);
    CheckedGame g;
    StartTwoPlayers(g);
    g.EnterAt(7, 4);
    g.EnterAt(6, 5);
    SetPosition(g.form, {}, c.wolf);
    for (const auto& [r, col] : c.hunters)
      g.form.Board.Set(r, col, '2');
    g.form.TurnState = static_cast<std::uint8_t>(c.turn_state);
    g.Check("setting up");
    if (c.moves.empty()) {
      g.form.wolf2a();
      const std::string lines = g.form.MessageLine1 + g.form.MessageLine2 + g.form.MessageLine3;
      const int active = g.form.GameActive;
      // The test keeps no state: running it again gives the same outcome.
      g.form.wolf2a();
      EXPECT_EQ(g.form.MessageLine1 + g.form.MessageLine2 + g.form.MessageLine3, lines);
      EXPECT_EQ(g.form.GameActive, active);
    } else {
      EXPECT_FALSE(ShowsResultBlock(g));
      for (const auto& [from, to] : c.moves) {
        ASSERT_EQ(g.form.GameActive, 1);
        g.EnterAt(from.first, from.second);
        g.EnterAt(to.first, to.second);
      }
      EXPECT_EQ(ShowsResultBlock(g), c.result != Result::kGoesOn);
    }
    ExpectResult(g.form, c.result);
    if (c.turn_after >= 0) {
      EXPECT_EQ(g.form.TurnState, c.turn_after);
    }
  }
}

#ifdef VORLASK_CHECK_INVARIANTS
// A handler that leaves a broken Board stops the program at once, naming what broke, so that a
// test or the soak points at the event that did it.
TEST(BoardCheckDeathTest, AHandlerLeavingAFifthHunterStopsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        Game g(false);
        g.form.Board.Set(5, 2, cell::kHunter);
        g.form.FormPaint();
      },
      "broke its rules in a handler: 5 hunters");
}
#endif

}  // namespace
}  // namespace vorlask::testing
