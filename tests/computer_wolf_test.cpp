#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "support/checked_game.h"
#include "support/wolf_positions.h"

namespace vorlask::testing {
namespace {

const std::initializer_list<Square> kHomeRow = {{9, 2}, {9, 4}, {9, 6}, {9, 8}};

enum class Stage { kBookOrBreakthrough, kFallback, kNone };

struct TurnCase {
  const char* name;
  std::initializer_list<Square> hunters;
  Square wolf;
  Square to;
  Stage stage;
};

const TurnCase kWorkedTurns[] = {
    {"book", kHomeRow, {8, 5}, {7, 4}, Stage::kBookOrBreakthrough},
    {"first step on the home row",
     {{9, 4}, {9, 6}, {8, 7}, {7, 8}},
     {8, 3},
     {9, 2},
     Stage::kBookOrBreakthrough},
    {"down-left blocked, down-right open",
     {{9, 2}, {9, 4}, {8, 7}, {9, 8}},
     {6, 5},
     {7, 6},
     Stage::kBookOrBreakthrough},
    {"the wolf's own square blocks",
     {{9, 2}, {9, 4}, {9, 6}, {7, 8}},
     {8, 5},
     {7, 6},
     Stage::kBookOrBreakthrough},
    {"a blocked path is not retried",
     {{9, 2}, {8, 3}, {8, 5}, {8, 7}},
     {7, 6},
     {6, 7},
     Stage::kBookOrBreakthrough},
    {"fallback, column 4 prefers the right", kHomeRow, {5, 4}, {6, 5}, Stage::kFallback},
    {"fallback, column 5 prefers the left", kHomeRow, {4, 5}, {5, 4}, Stage::kFallback},
    {"fallback down-right", {{9, 2}, {9, 4}, {8, 5}, {7, 6}}, {6, 3}, {7, 4}, Stage::kFallback},
    {"fallback down, other side",
     {{5, 2}, {5, 4}, {7, 4}, {8, 3}},
     {6, 3},
     {7, 2},
     Stage::kFallback},
    {"fallback up, preferred side",
     {{5, 2}, {5, 4}, {5, 6}, {5, 8}},
     {4, 7},
     {3, 6},
     Stage::kFallback},
    {"fallback up, other side", {{5, 2}, {6, 5}, {8, 3}, {8, 5}}, {7, 4}, {6, 3}, Stage::kFallback},
    {"a wolf that cannot move", {{8, 3}, {8, 5}, {6, 3}, {6, 5}}, {7, 4}, {7, 4}, Stage::kNone},
};

TEST(ComputerWolf, WorkedTurns) {
  Game g(false);
  for (const TurnCase& c : kWorkedTurns) {
    SCOPED_TRACE(c.name);
    SetPosition(g.form, c.hunters, c.wolf);
    g.form.TurnState = 3;
    g.form.MoveMade = 0;
    const TBoard before = g.form.Board;
    g.form.wolfb();
    EXPECT_EQ(WolfSquare(g.form), c.to);
    EXPECT_EQ(g.form.Board.At(c.to.first, c.to.second), '3');
    EXPECT_EQ(CheckBoard(g.form.Board), "");
    EXPECT_EQ(g.form.WolfMoved, c.stage == Stage::kBookOrBreakthrough ? 1 : 0);
    if (c.stage == Stage::kNone) {
      EXPECT_EQ(g.form.Board, before);
    }
    EXPECT_EQ(g.form.TurnState, 0);
    EXPECT_EQ(g.form.MoveMade, 1);
    EXPECT_EQ(g.form.FullRedraw, 0);
  }
}

TEST(ComputerWolf, FallbackAnimatesFromTheFoundSquare) {
  for (const bool cannot_move : {false, true}) {
    Game g(false);
    g.form.AnimateMoves = 1;
    if (cannot_move) {
      SetPosition(g.form, {{8, 3}, {8, 5}, {6, 3}, {6, 5}}, {7, 4});
    } else {
      SetPosition(g.form, kHomeRow, {5, 4});
    }
    g.form.wolfb();
    const Square to = cannot_move ? Square{7, 4} : Square{6, 5};
    const Square from = cannot_move ? Square{7, 4} : Square{5, 4};
    EXPECT_EQ((Square{g.form.FoundRow, g.form.FoundCol}), from);
    EXPECT_EQ((Square{g.form.AnimFromRow, g.form.AnimFromCol}), from);
    EXPECT_EQ((Square{g.form.AnimToRow, g.form.AnimToCol}), to);
    EXPECT_EQ(g.form.AnimWolf, 0);
    // The pieces were redrawn: the wolf's tile stands on its square.
    EXPECT_EQ(g.PixelAt(TForm3::SquareX(to.second) + 26, TForm3::SquareY(to.first) + 26),
              ColorOf(g.form.ImageList1[tile::kWolf].At(26, 26)));
  }
}

TEST(ComputerWolf, BreakthroughSetsTheAnimationSquares) {
  Game g(false);
  g.form.AnimateMoves = 1;
  SetPosition(g.form, {{9, 2}, {9, 4}, {8, 7}, {9, 8}}, {6, 5});
  g.form.wolfb();
  EXPECT_EQ((Square{g.form.AnimFromRow, g.form.AnimFromCol}), (Square{6, 5}));
  EXPECT_EQ((Square{g.form.AnimToRow, g.form.AnimToCol}), (Square{7, 6}));
  EXPECT_EQ(g.form.AnimWolf, 0);
  EXPECT_EQ(g.form.Board.At(6, 5), '0');
}

// A game in which the person plays the hunters: P before any move restarts at once.
void StartComputerWolf(CheckedGame& g, int layout) {
  if (layout == 2) g.Key(vk::k2);
  g.Key(vk::kP);
  ASSERT_EQ(g.form.GameMode, 2);
  ASSERT_EQ(g.form.TurnState, 0);
  ASSERT_TRUE(g.platform.timer.Enabled());
}

TEST(ComputerWolfTurnCycle, OpeningMoveComesFromTheTimer) {
  for (const int layout : {1, 2}) {
    CheckedGame g(false);
    StartComputerWolf(g, layout);
    const Square start = WolfSquare(g.form);
    EXPECT_TRUE(g.Timer());
    EXPECT_EQ(WolfSquare(g.form), (layout == 1 ? Square{8, 3} : Square{7, 4}));
    EXPECT_NE(WolfSquare(g.form), start);
    EXPECT_EQ(g.form.TurnState, 0);
    EXPECT_EQ(g.form.MoveMade, 0);
    EXPECT_FALSE(g.platform.timer.Enabled());
  }
}

TEST(ComputerWolfTurnCycle, NoOpeningMoveOnceTheWolfHasReplied) {
  CheckedGame g(false);
  StartComputerWolf(g, 1);
  // The person moves a hunter before the timer fires and gets the computer's reply.
  g.ClickAt(9, 2);
  g.ClickAt(8, 3);
  ASSERT_EQ(g.form.MoveMade, 1);
  ASSERT_EQ(g.form.TurnState, 0);
  const TBoard after_reply = g.form.Board;
  EXPECT_TRUE(g.Timer());
  EXPECT_EQ(g.form.Board, after_reply);
  EXPECT_EQ(g.form.TurnState, 0);
}

// What a person does in the 300 ms between choosing the computer wolf and the timer's firing,
// and whether the computer's opening move is still due when it fires.
TEST(ComputerWolfTurnCycle, OpeningMoveOnlyInItsModeAndOnlyWhileNoHunterHasMoved) {
  struct Case {
    const char* name;
    std::function<void(CheckedGame&)> within_300_ms;
    bool opens;
    std::uint8_t mode;
    std::uint8_t turn;
  };
  const Case cases[] = {
      {"nothing", [](CheckedGame&) {}, true, 2, 0},
      {"two players chosen", [](CheckedGame& g) { g.Key(vk::kT); }, false, 0, 3},
      {"computer hunters chosen", [](CheckedGame& g) { g.Key(vk::kH); }, false, 1, 3},
      {"a hunter picked up and put back",
       [](CheckedGame& g) {
         g.ClickAt(9, 2);
         g.ClickAt(9, 2);
       },
       true, 2, 0},
      {"a hunter picked up, then another, then put back",
       [](CheckedGame& g) {
         g.ClickAt(9, 2);
         g.ClickAt(9, 6);
         g.ClickAt(9, 6);
       },
       true, 2, 0},
      {"a hunter still held", [](CheckedGame& g) { g.ClickAt(9, 4); }, true, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CheckedGame g(false);
    StartComputerWolf(g, 1);
    c.within_300_ms(g);
    ASSERT_EQ(WolfSquare(g.form), (Square{7, 4}));
    EXPECT_TRUE(g.Timer());
    EXPECT_EQ(WolfSquare(g.form), (c.opens ? Square{8, 3} : Square{7, 4}));
    EXPECT_EQ(g.form.GameMode, c.mode);
    EXPECT_EQ(g.form.TurnState, c.turn);
    EXPECT_FALSE(g.platform.timer.Enabled());
    if (c.turn == 2) {
      EXPECT_EQ(g.form.Board.At(9, 4), '4') << "the held hunter stays held";
    }
    // The game goes on from there: in the other modes the person's wolf is still to move.
    if (!c.opens) {
      g.ClickAt(7, 4);
      g.ClickAt(6, 5);
      EXPECT_EQ(WolfSquare(g.form), (Square{6, 5}));
    }
  }
}

TEST(ComputerWolfTurnCycle, WolfMovesAgainAtOnceWhenTheHuntersMustPass) {
  CheckedGame g(false);
  StartComputerWolf(g, 1);
  SetPosition(g.form, {{2, 3}, {3, 2}, {4, 3}, {6, 3}}, {2, 5});
  g.form.MoveMade = 1;
  // The wolf's reply to (6, 3)-(5, 2) is (3, 4), where it blocks the last hunter that could
  // move; the hunters pass and the wolf moves on without waiting for another input.
  g.ClickAt(6, 3);
  g.ClickAt(5, 2);
  EXPECT_EQ(WolfSquare(g.form), (Square{4, 5}));
  EXPECT_EQ(g.form.TurnState, 0);
  EXPECT_EQ(g.form.GameActive, 1);
}

}  // namespace
}  // namespace vorlask::testing
