#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/checked_game.h"

namespace vorlask::testing {
namespace {

// A two-player game in which the wolf has moved once, then the given position written over it.
void SetPosition(CheckedGame& g, const std::vector<std::pair<int, int>>& hunters, int wolf_row,
                 int wolf_col, int turn_state) {
  StartTwoPlayers(g);
  g.EnterAt(7, 4);
  g.EnterAt(6, 5);
  TForm3& f = g.form;
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c)
      f.Board.Set(r, c, IsDarkSquare(r, c) ? '0' : '1');
  }
  for (const auto& [r, c] : hunters)
    f.Board.Set(r, c, '2');
  f.Board.Set(wolf_row, wolf_col, '3');
  f.WolfRow = static_cast<std::uint8_t>(wolf_row);
  f.WolfCol = static_cast<std::uint8_t>(wolf_col);
  f.TurnState = static_cast<std::uint8_t>(turn_state);
  g.Check("setting up");
}

void ExpectCaught(const TForm3& f) {
  EXPECT_EQ(f.GameActive, 0);
  EXPECT_EQ(f.MessageLine1, "  Волк  пойман !");
  EXPECT_EQ(f.MessageLine2, "     The wolf is");
  EXPECT_EQ(f.MessageLine3, "         caught ! ");
}

void ExpectFree(const TForm3& f) {
  EXPECT_EQ(f.GameActive, 0);
  EXPECT_EQ(f.MessageLine1, "Волк вырвался!");
  EXPECT_EQ(f.MessageLine2, "    The wolf has");
  EXPECT_EQ(f.MessageLine3, "        broken !   ");
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

void MoveHunter(CheckedGame& g, int from_row, int from_col, int to_row, int to_col) {
  ASSERT_EQ(g.form.GameActive, 1);
  g.EnterAt(from_row, from_col);
  g.EnterAt(to_row, to_col);
}

TEST(EndOfGame, HuntersCloseTheLastFreeSquare) {
  CheckedGame g;
  SetPosition(g, {{4, 3}, {4, 5}, {6, 3}, {7, 6}}, 5, 4, 0);
  EXPECT_FALSE(ShowsResultBlock(g));
  MoveHunter(g, 7, 6, 6, 5);
  ExpectCaught(g.form);
  EXPECT_TRUE(ShowsResultBlock(g));
}

TEST(EndOfGame, TheBorderHelpsCatchTheWolf) {
  CheckedGame g;
  SetPosition(g, {{4, 3}, {7, 4}, {9, 6}, {9, 8}}, 5, 2, 0);
  MoveHunter(g, 7, 4, 6, 3);
  ExpectCaught(g.form);
}

TEST(EndOfGame, CaughtOnTheHomeRowIsCaught) {
  CheckedGame g;
  SetPosition(g, {{8, 3}, {9, 6}, {9, 8}, {8, 9}}, 9, 2, 3);
  g.Key(vk::kRight);
  ExpectCaught(g.form);
}

TEST(EndOfGame, TheWolfReachesTheHomeRow) {
  CheckedGame g;
  SetPosition(g, {{9, 2}, {9, 8}, {7, 2}, {7, 8}}, 8, 5, 3);
  g.EnterAt(8, 5);
  g.EnterAt(9, 6);
  ExpectFree(g.form);
  EXPECT_TRUE(ShowsResultBlock(g));
}

TEST(EndOfGame, AllHuntersStuckAtTheTop) {
  CheckedGame g;
  // Two hunters on row 2 and the wolf on row 3, so that no other rule applies.
  SetPosition(g, {{3, 2}, {2, 3}, {2, 5}, {4, 5}}, 3, 8, 0);
  MoveHunter(g, 4, 5, 3, 4);
  ExpectFree(g.form);
}

TEST(EndOfGame, ThreeHuntersPastTheWolf) {
  CheckedGame g;
  SetPosition(g, {{4, 3}, {3, 2}, {5, 8}, {9, 2}}, 5, 6, 0);
  MoveHunter(g, 5, 8, 4, 7);
  ExpectFree(g.form);
}

TEST(EndOfGame, TwoHuntersOnTheRightEdgeCountAsThree) {
  CheckedGame g;
  SetPosition(g, {{3, 8}, {5, 8}, {8, 3}, {9, 4}}, 5, 4, 0);
  MoveHunter(g, 5, 8, 4, 9);
  ExpectFree(g.form);
}

TEST(EndOfGame, HuntersPassWhenNoneCanMove) {
  CheckedGame g;
  SetPosition(g, {{2, 3}, {3, 2}, {3, 4}, {2, 7}}, 3, 6, 3);
  g.EnterAt(3, 6);
  g.EnterAt(2, 5);
  EXPECT_EQ(g.form.GameActive, 1);
  EXPECT_EQ(g.form.TurnState, 3);
  // The wolf moves again and frees the hunter on (3, 4).
  g.EnterAt(2, 5);
  g.EnterAt(3, 6);
  EXPECT_EQ(g.form.TurnState, 0);
  MoveHunter(g, 3, 4, 2, 5);  // three hunters on row 2 are past the wolf
  ExpectFree(g.form);
}

TEST(EndOfGame, TheTestKeepsNoState) {
  CheckedGame g;
  SetPosition(g, {{4, 3}, {4, 5}, {6, 3}, {6, 5}}, 5, 4, 3);
  g.form.wolf2a();
  ExpectCaught(g.form);
  const TForm3& f = g.form;
  const std::string lines = f.MessageLine1 + f.MessageLine2 + f.MessageLine3;
  g.form.wolf2a();
  EXPECT_EQ(f.MessageLine1 + f.MessageLine2 + f.MessageLine3, lines);
  EXPECT_EQ(f.GameActive, 0);
}

}  // namespace
}  // namespace vorlask::testing
