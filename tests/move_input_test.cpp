#include <gtest/gtest.h>

#include "support/checked_game.h"

namespace vorlask::testing {
namespace {

TEST(MoveInput, SmokeWolfThenHunter) {
  CheckedGame g;
  StartTwoPlayers(g);
  g.ClickAt(7, 4);
  EXPECT_EQ(g.form.TurnState, 1);
  g.ClickAt(6, 5);
  EXPECT_EQ(g.form.TurnState, 0);
  EXPECT_EQ(g.form.Board.Row(6), "9101310109");
  g.ClickAt(9, 6);
  EXPECT_EQ(g.form.TurnState, 2);
  g.ClickAt(8, 5);
  EXPECT_EQ(g.form.TurnState, 3);
  EXPECT_EQ(g.form.Board.Row(8), "9101210109");
  EXPECT_EQ(g.form.Board.Row(9), "9212101219");
}

}  // namespace
}  // namespace vorlask::testing
