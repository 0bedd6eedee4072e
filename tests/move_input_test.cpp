#include <gtest/gtest.h>

#include "support/checked_game.h"
#include "ui/spoken.h"

namespace vorlask::testing {
namespace {

// Whatever the key, the position and the turn stay as they were.
void ExpectIgnored(CheckedGame& g, int row, int col) {
  const TBoard board = g.form.Board;
  const int turn = g.form.TurnState;
  g.EnterAt(row, col);
  EXPECT_EQ(g.form.Board, board) << "Enter at (" << row << ", " << col << ")";
  EXPECT_EQ(g.form.TurnState, turn) << "Enter at (" << row << ", " << col << ")";
}

TEST(MoveInput, EveryTurnChangeAndTheIllegalChoicesAround) {
  CheckedGame g;
  StartTwoPlayers(g);
  TForm3& f = g.form;

  ExpectIgnored(g, 9, 2);  // a hunter while the wolf is to move
  g.EnterAt(7, 4);         // 3 -> 1
  EXPECT_EQ(f.TurnState, 1);
  EXPECT_EQ(f.Board.At(7, 4), '5');
  EXPECT_TRUE(g.ShowsTile(tile::kPickedWolf, 7, 4));
  ExpectIgnored(g, 7, 4);  // the picked-up wolf cannot be put back
  ExpectIgnored(g, 5, 4);  // two squares straight up
  ExpectIgnored(g, 5, 6);  // two squares diagonally
  ExpectIgnored(g, 7, 2);  // same row
  EXPECT_EQ(f.MoveMade, 0);

  g.EnterAt(8, 3);  // 1 -> 0, backwards
  EXPECT_EQ(f.TurnState, 0);
  EXPECT_EQ(f.MoveMade, 1);
  EXPECT_EQ(f.Board.At(7, 4), '0');
  EXPECT_EQ(f.Board.At(8, 3), '3');
  EXPECT_EQ(f.WolfRow, 8);
  EXPECT_EQ(f.WolfCol, 3);
  EXPECT_TRUE(g.ShowsTile(tile::kDark, 7, 4));
  EXPECT_TRUE(g.ShowsTile(tile::kCursorWolf, 8, 3));

  ExpectIgnored(g, 8, 3);  // the wolf while the hunters are to move
  g.EnterAt(9, 2);         // 0 -> 2
  EXPECT_EQ(f.TurnState, 2);
  EXPECT_EQ(f.Board.At(9, 2), '4');
  g.EnterAt(9, 6);  // 2 -> 2, another hunter
  EXPECT_EQ(f.TurnState, 2);
  EXPECT_EQ(f.Board.At(9, 2), '2');
  EXPECT_EQ(f.Board.At(9, 6), '4');
  EXPECT_TRUE(g.ShowsTile(tile::kHunter, 9, 2));
  ExpectIgnored(g, 7, 4);  // two rows up
  ExpectIgnored(g, 7, 6);  // straight up
  g.EnterAt(9, 6);         // 2 -> 0, put back
  EXPECT_EQ(f.TurnState, 0);
  EXPECT_EQ(f.Board.At(9, 6), '2');

  g.EnterAt(9, 6);
  g.EnterAt(8, 7);  // 2 -> 3
  EXPECT_EQ(f.TurnState, 3);
  EXPECT_EQ(f.Board.Row(8), "9131012109");
  EXPECT_EQ(f.Board.Row(9), "9212101219");
  EXPECT_TRUE(g.ShowsTile(tile::kDark, 9, 6));

  g.EnterAt(8, 3);
  g.EnterAt(7, 4);
  g.EnterAt(8, 7);
  ExpectIgnored(g, 9, 6);  // a hunter never moves backwards
  EXPECT_EQ(f.Board.At(8, 7), '4');
}

TEST(MoveInput, PuttingAHunterBackCountsAsTouchingTheGame) {
  CheckedGame g;
  g.Key(vk::kP);  // the hunters are the person's and move first
  ASSERT_EQ(g.form.TurnState, 0);
  g.EnterAt(9, 4);
  EXPECT_EQ(g.form.MoveMade, 0);
  g.EnterAt(9, 4);
  EXPECT_EQ(g.form.MoveMade, 1);
  // A hunter's move does not count.
  CheckedGame h;
  StartTwoPlayers(h);
  h.EnterAt(7, 4);
  h.EnterAt(6, 5);
  h.form.MoveMade = 0;
  h.EnterAt(9, 4);
  h.EnterAt(8, 5);
  EXPECT_EQ(h.form.TurnState, 3);
  EXPECT_EQ(h.form.MoveMade, 0);
}

// The squares the last animation went from and to.
void ExpectAnimated(const TForm3& f, Place from, Place to) {
  EXPECT_EQ((Place{f.AnimFromRow, f.AnimFromCol}), from);
  EXPECT_EQ((Place{f.AnimToRow, f.AnimToCol}), to);
}

TEST(MoveInput, AnimatedMovesHandTheSquaresOn) {
  CheckedGame g;
  StartTwoPlayers(g);
  g.Key(vk::kA);
  g.EnterAt(7, 4);
  g.EnterAt(6, 5);
  ExpectAnimated(g.form, {7, 4}, {6, 5});
  EXPECT_EQ(g.form.AnimWolf, 0);
  g.EnterAt(9, 8);
  g.EnterAt(8, 9);
  ExpectAnimated(g.form, {9, 8}, {8, 9});
  EXPECT_EQ(g.form.TurnState, 3);
}

TEST(MoveInput, FindFirstPosition) {
  EXPECT_EQ(TForm3::f_at("9013101019", '3'), 4);
  EXPECT_EQ(TForm3::f_at("9013101019", '4'), 0);
  EXPECT_EQ(TForm3::f_at("9013101019", '9'), 1);
  EXPECT_EQ(TForm3::f_at("", '9'), 0);
}

// What a player who does not see the board hears of a game: each step told once, in order, the
// person's move before the computer's reply, and nothing where nothing changed.
TEST(Spoken, AGameIsToldStepByStep) {
  CheckedGame g;
  std::vector<std::string> heard;
  Scene was = SceneOf(g.form);
  const auto step = [&](auto&& act) {
    act();
    const Scene now = SceneOf(g.form);
    heard = Changes(was, now);
    was = now;
  };
  EXPECT_EQ(SquareWords(g.form.Board, 7, 4), "c3, wolf");
  EXPECT_EQ(SquareWords(g.form.Board, 9, 6), "e1, hunter");
  EXPECT_EQ(SquareWords(g.form.Board, 6, 5), "d4, empty");
  EXPECT_EQ(SquareWords(g.form.Board, 2, 2), "a8, light square");
  step([&] { g.Key(vk::kRight); });
  EXPECT_TRUE(heard.empty());
  step([&] { g.EnterAt(7, 4); });
  EXPECT_EQ(heard, (std::vector<std::string>{"Wolf picked up on c3."}));
  step([&] { g.EnterAt(6, 5); });
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0], "Wolf from c3 to d4.");
  EXPECT_EQ(heard[1].rfind("Hunter from ", 0), 0u) << heard[1];
  EXPECT_EQ(heard[2], "The wolf to move.");
  step([&] { g.Keys({vk::kRight, vk::kEnter}); });  // on a light square: nothing
  EXPECT_TRUE(heard.empty());
  step([&] {
    g.Key(vk::kN);
    g.FireTimer();
  });
  EXPECT_EQ(heard.front(),
            "New game: you are the wolf, the computer plays the hunters, you move first. The "
            "wolf is on c3.");
  EXPECT_EQ(ResultWords({kCaughtLine1, kCaughtLine2, kCaughtLine3}),
            (std::array<std::string, 2>{"Волк пойман!", "The wolf is caught!"}));
  EXPECT_EQ(ResultWords({kFreeLine1, kFreeLine2, kFreeLine3}),
            (std::array<std::string, 2>{"Волк вырвался!", "The wolf has broken!"}));
}

}  // namespace
}  // namespace vorlask::testing
