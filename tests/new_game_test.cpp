#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace vorlask::testing {
namespace {

TEST(StartUp, FirstGameIsComputerHuntersWithWolfOnSevenFour) {
  Game g;
  const TForm3& f = g.form;
  EXPECT_TRUE(g.platform.errors.empty());
  EXPECT_EQ(f.GameMode, 1);
  EXPECT_EQ(f.TurnState, 3);
  EXPECT_EQ(f.WolfRow, 7);
  EXPECT_EQ(f.WolfCol, 4);
  EXPECT_EQ(f.CursorRow, 2);
  EXPECT_EQ(f.CursorCol, 2);
  EXPECT_EQ(f.CursorCellCode, '1');
  EXPECT_EQ(f.GameActive, 1);
  EXPECT_EQ(f.MoveMade, 0);
  EXPECT_EQ(f.AnimateMoves, 0);
  EXPECT_EQ(f.MusicOn, 0);
  EXPECT_EQ(f.ModeOption, 2);
  EXPECT_EQ(f.StartOption, 1);
  EXPECT_EQ(f.TrackNumber, 1);
  EXPECT_EQ(f.NotifyArmed, 0);
  EXPECT_EQ(f.TimerAction, 0u);
  EXPECT_EQ(f.BoardOffsetX, 86);
  EXPECT_EQ(f.BoardOffsetY, 85);
  EXPECT_EQ(f.OptionBoxWidth, 133);
  EXPECT_EQ(f.OptionBoxHeight, 26);
  EXPECT_EQ(f.Board.Row(7), "9013101019");
  EXPECT_EQ(f.Board.Row(9), "9212121219");
  EXPECT_EQ(f.MessageLine1, "    Конец игры .    ");
  EXPECT_EQ(f.MessageLine2, "    Game  over .    ");
  EXPECT_EQ(f.MessageLine3, " ");
  EXPECT_EQ(CheckBoard(f.Board), "");
  EXPECT_FALSE(g.platform.timer.Enabled());
}

TEST(NewGame, EachModeAndLayout) {
  struct Case {
    int mode_option, start_option;
    int game_mode, turn_state, wolf_row, wolf_col;
    bool timer;
  };
  for (const Case c : {Case{1, 1, 0, 3, 7, 4, false}, Case{2, 2, 1, 3, 6, 5, false},
                       Case{3, 1, 2, 0, 7, 4, true}, Case{3, 2, 2, 0, 6, 5, true}}) {
    Game g;
    g.form.ModeOption = static_cast<std::uint8_t>(c.mode_option);
    g.form.StartOption = static_cast<std::uint8_t>(c.start_option);
    g.form.wolf0();
    EXPECT_EQ(g.form.GameMode, c.game_mode);
    EXPECT_EQ(g.form.TurnState, c.turn_state);
    EXPECT_EQ(g.form.WolfRow, c.wolf_row);
    EXPECT_EQ(g.form.WolfCol, c.wolf_col);
    EXPECT_EQ(g.form.Board.At(c.wolf_row, c.wolf_col), '3');
    EXPECT_EQ(g.platform.timer.Enabled(), c.timer);
    EXPECT_EQ(g.form.TimerAction, c.timer ? 1u : 0u);
    EXPECT_EQ(CheckBoard(g.form.Board), "");
  }
}

TEST(StartUp, MissingBitmapNamesTheFileAndTheFolders) {
  FakePlatform p(false);
  p.data_folders = {"/nonexistent-a", "/nonexistent-b"};
  TForm3 form(p);
  EXPECT_FALSE(form.FormCreate());
  ASSERT_EQ(p.errors.size(), 1u);
  EXPECT_NE(p.errors[0].find("h16.bmp"), std::string::npos);
  EXPECT_NE(p.errors[0].find("/nonexistent-a"), std::string::npos);
  EXPECT_NE(p.errors[0].find("/nonexistent-b"), std::string::npos);
}

}  // namespace
}  // namespace vorlask::testing
