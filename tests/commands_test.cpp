#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <utility>
#include <vector>

#include "support/checked_game.h"
#include "ui/tiles.h"

namespace vorlask::testing {
namespace {

struct Point {
  int x, y;
};

// Releases on each box at its outermost pixels, and just outside them; the start box last.
// The boxes are written out here as the panel shows them, not read from the layout table that
// the click mapping uses, so that a wrong entry there cannot pass.
struct Probe {
  Point at;
  std::uint16_t hit;  // 0 for a miss
};
std::vector<Probe> BoxProbes() {
  std::vector<Probe> probes;
  const std::pair<int, std::uint16_t> boxes[] = {{123, vk::kT}, {155, vk::kH}, {187, vk::kP},
                                                 {259, vk::k1}, {291, vk::k2}, {391, vk::kS},
                                                 {423, vk::kA}};
  for (const auto& [top, command] : boxes) {
    probes.push_back({{471, top + 1}, command});
    probes.push_back({{602, top + 25}, command});
    probes.push_back({{470, top + 13}, 0});
    probes.push_back({{603, top + 13}, 0});
    probes.push_back({{530, top}, 0});
    probes.push_back({{530, top + 26}, 0});
  }
  for (const Probe p : std::vector<Probe>{{{481, 346}, vk::kN},
                                          {{599, 377}, vk::kN},
                                          {{480, 360}, 0},
                                          {{600, 360}, 0},
                                          {{540, 345}, 0},
                                          {{540, 378}, 0}}) {
    probes.push_back(p);
  }
  return probes;
}

// A two-player game after the wolf's first move, so that options no longer restart it.
void TouchedTwoPlayerGame(CheckedGame& g) {
  StartTwoPlayers(g);
  g.EnterAt(7, 4);
  g.EnterAt(6, 5);
  ASSERT_EQ(g.form.MoveMade, 1);
}

// A finished game: the wolf moved, then hunters close round it.
void FinishedGame(CheckedGame& g) {
  TouchedTwoPlayerGame(g);
  g.form.Board.Row(5) = "9012121019";
  g.form.Board.Row(7) = "9012121019";
  g.form.Board.Row(9) = "9010101019";
  g.Key(vk::kUp);
  ASSERT_EQ(g.form.GameActive, 0);
}

TEST(Commands, CursorKeysStayOnTheFieldAndRepaintTheSquareLeft) {
  CheckedGame g;
  TForm3& f = g.form;
  g.Keys({vk::kUp, vk::kLeft});
  EXPECT_EQ(f.CursorRow, 2);
  EXPECT_EQ(f.CursorCol, 2);
  EXPECT_TRUE(g.ShowsTile(tile::kCursorEmpty, 2, 2));
  g.Key(vk::kRight);
  EXPECT_TRUE(g.ShowsTile(tile::kLight, 2, 2));
  EXPECT_TRUE(g.ShowsTile(tile::kCursorEmpty, 2, 3));
  g.CursorTo(9, 9);
  g.Keys({vk::kDown, vk::kRight});
  EXPECT_EQ(f.CursorRow, 9);
  EXPECT_EQ(f.CursorCol, 9);
  g.Key(vk::kLeft);
  EXPECT_TRUE(g.ShowsTile(tile::kCursorHunter, 9, 8));
  g.Key(vk::kUp);
  EXPECT_TRUE(g.ShowsTile(tile::kHunter, 9, 8));
  EXPECT_EQ(g.PixelAt(TForm3::SquareX(8), TForm3::SquareY(9)), kDarkSquare);

  const TBoard board = f.Board;
  g.Keys({90, 96, 112});  // Z, keypad 0, F1: only the cursor square is repainted
  EXPECT_EQ(f.Board, board);
  EXPECT_EQ(f.CursorRow, 8);
  EXPECT_EQ(f.CursorCol, 8);
}

TEST(Commands, EveryBoxIsHitInsideItsBoundsOnly) {
  CheckedGame g;
  TouchedTwoPlayerGame(g);
  for (const Probe& p : BoxProbes()) {
    g.Click(p.at.x, p.at.y);
    EXPECT_EQ(g.form.Command, p.hit ? p.hit : kLeftRelease)
        << "release at (" << p.at.x << ", " << p.at.y << ")";
  }
  // The animation box switches the animation, and leaves the music alone.
  const std::uint8_t animate = g.form.AnimateMoves;
  const std::size_t player_calls = g.platform.media.log.size();
  g.Click(530, 436);
  EXPECT_NE(g.form.AnimateMoves, animate);
  EXPECT_EQ(g.form.MusicOn, 0);
  EXPECT_EQ(g.platform.media.log.size(), player_calls);
}

// Takes note of the picture, the Board, the cursor and the command, and gives the check that an
// input left them as they were.
std::function<void()> Unchanged(CheckedGame& g, const char* what) {
  TForm3& f = g.form;
  const Image picture = g.platform.canvas->Picture();
  const TBoard board = f.Board;
  const int row = f.CursorRow, col = f.CursorCol, command = f.Command;
  return [=, &g, &f] {
    EXPECT_TRUE(g.platform.canvas->Picture().pixels == picture.pixels) << what;
    EXPECT_EQ(f.Board, board) << what;
    EXPECT_EQ(f.CursorRow, row) << what;
    EXPECT_EQ(f.CursorCol, col) << what;
    // A release is turned into a command before it is filtered; a key is not.
    if (what[0] == 'k') {
      EXPECT_EQ(f.Command, command) << what;
    }
  };
}

TEST(Commands, AFinishedGameTakesOnlyOptionsNewGameAndEsc) {
  CheckedGame g;
  FinishedGame(g);
  TForm3& f = g.form;
  for (std::uint16_t key :
       {vk::kEnter, vk::kLeft, vk::kUp, vk::kRight, vk::kDown, std::uint16_t{90}}) {
    auto check = Unchanged(g, "key");
    g.Key(key);
    check();
  }
  for (Point p : {Point{150, 150}, Point{460, 200}, Point{500, 100}}) {
    auto check = Unchanged(g, "click");
    g.Click(p.x, p.y);
    check();
  }
  for (const Probe& p : BoxProbes()) {
    if (p.hit != 0) continue;
    auto check = Unchanged(g, "a release just outside a box");
    g.Click(p.at.x, p.at.y);
    check();
  }

  // Accepted input repaints the pieces and the result block.
  for (int y = 0; y < 85; ++y) {
    for (int x = 455; x < 615; ++x)
      g.platform.canvas->Picture().Set(x, y, Pixel(kBlack));
  }
  g.Key(vk::kA);
  EXPECT_EQ(f.AnimateMoves, 1);
  EXPECT_EQ(g.PixelAt(455, 40), kOlive);
  g.Click(471, 260);
  EXPECT_EQ(f.StartOption, 1);
  g.Click(602, 316);
  EXPECT_EQ(f.StartOption, 2);
  g.Keys({vk::kP, vk::kT, vk::k2, vk::kS});
  EXPECT_EQ(f.ModeOption, 1);
  EXPECT_EQ(f.StartOption, 2);
  EXPECT_EQ(f.MusicOn, 1);
  g.Keys({vk::kH, vk::k1});
  EXPECT_EQ(f.ModeOption, 2);
  EXPECT_EQ(f.StartOption, 1);
  EXPECT_EQ(f.GameActive, 0);
  g.Click(481, 346);
  EXPECT_TRUE(g.platform.timer.Enabled());
  EXPECT_TRUE(g.Timer());
  EXPECT_EQ(f.GameActive, 1);
  EXPECT_EQ(f.GameMode, 1);
}

TEST(Commands, ClicksOffTheBoardSelectNoSquare) {
  CheckedGame g;
  TouchedTwoPlayerGame(g);
  g.EnterAt(9, 4);  // a hunter is picked up: a selected square would show
  const TBoard board = g.form.Board;
  const std::vector<Point> points = {
      {454, 200},         {462, 300},         {470, 390},  // between board and panel
      {200, 455},         {300, 479},                      // below the board
      {1836, 300},                                         // column 35: its leading digit is 3
      {-200, 300},                                         // column -2
      {300, -200},                                         // row -2
      {-1, -1},           {615, 200},         {200, 480},    {4000, 4000},
      {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, 300}};
  for (Point p : points) {
    g.Click(p.x, p.y);
    EXPECT_EQ(g.form.Command, kLeftRelease) << p.x << ", " << p.y;
    EXPECT_EQ(g.form.CursorRow, 9) << p.x << ", " << p.y;
    EXPECT_EQ(g.form.CursorCol, 4) << p.x << ", " << p.y;
    EXPECT_EQ(g.form.MouseX, p.x);
    EXPECT_EQ(g.form.MouseY, p.y);
  }
  EXPECT_EQ(g.form.Board, board);
  EXPECT_EQ(g.form.TurnState, 2);
  // The corners of the field still select their squares.
  g.Click(22, 23);
  EXPECT_EQ(g.form.CursorRow, 2);
  EXPECT_EQ(g.form.CursorCol, 2);
  g.Click(453, 454);
  EXPECT_EQ(g.form.CursorRow, 9);
  EXPECT_EQ(g.form.CursorCol, 9);
}

TEST(Commands, OptionsRestartAnUntouchedGameOnly) {
  CheckedGame g;
  g.Key(vk::k2);  // nothing has moved: the wolf starts on (6, 5) at once
  EXPECT_EQ(g.form.WolfRow, 6);
  EXPECT_EQ(g.form.Board.At(7, 4), '0');
  EXPECT_TRUE(g.ShowsTile(tile::kDark, 7, 4));
  EXPECT_TRUE(g.ShowsTile(tile::kWolf, 6, 5));
  EXPECT_TRUE(g.Shows(g.form.ChosenMark, 472, 296));
  g.Key(vk::kT);
  EXPECT_EQ(g.form.GameMode, 0);
  EXPECT_TRUE(g.Shows(g.form.ChosenMark, 472, 128));
  EXPECT_TRUE(g.Shows(g.form.BlankMark, 472, 160));

  g.EnterAt(6, 5);
  g.EnterAt(5, 4);
  g.Keys({vk::kH, vk::k1});  // recorded, and shown, for the next game only
  EXPECT_EQ(g.form.ModeOption, 2);
  EXPECT_EQ(g.form.StartOption, 1);
  EXPECT_EQ(g.form.GameMode, 0);
  EXPECT_EQ(g.form.WolfRow, 5);
  EXPECT_TRUE(g.Shows(g.form.ChosenMark, 472, 160));
  EXPECT_TRUE(g.Shows(g.form.BlankMark, 472, 128));
  g.EnterAt(9, 2);
  g.EnterAt(8, 3);  // the hunters are still the person's
  EXPECT_EQ(g.form.TurnState, 3);
}

TEST(Commands, NewGameStartsAtOnceWhenUntouchedAndAgainFromTheTimer) {
  CheckedGame g;
  StartTwoPlayers(g);
  const TBoard start = g.form.Board;
  g.EnterAt(7, 4);  // picked up, not yet moved
  g.Key(vk::kN);
  EXPECT_EQ(g.form.Board, start);
  EXPECT_EQ(g.form.TurnState, 3);
  EXPECT_EQ(g.form.TimerAction, 0u);
  EXPECT_TRUE(g.Shows(g.form.StartBoxPressed, 478, 344));
  g.EnterAt(7, 4);
  EXPECT_TRUE(g.Timer());
  EXPECT_EQ(g.form.Board, start);
  EXPECT_EQ(g.form.TurnState, 3);
  EXPECT_FALSE(g.platform.timer.Enabled());
  EXPECT_FALSE(g.Shows(g.form.StartBoxPressed, 478, 344));

  g.EnterAt(7, 4);
  g.EnterAt(6, 3);
  const TBoard moved = g.form.Board;
  g.Click(540, 360);
  EXPECT_EQ(g.form.Board, moved);
  EXPECT_TRUE(g.Timer());
  EXPECT_EQ(g.form.Board, start);
  EXPECT_FALSE(g.Timer());
}

TEST(Commands, WithTheComputerWolfTheTimerMakesItsOpeningMoveInsteadOfANewGame) {
  CheckedGame g;
  g.Key(vk::kS);  // every new game closes the media player: that tells the starts apart
  g.Key(vk::kP);
  EXPECT_EQ(g.form.TimerAction, 1u);
  g.Key(vk::kN);
  EXPECT_EQ(g.form.TimerAction, 1u);
  const auto closes = [&] {
    int n = 0;
    for (const std::string& e : g.platform.media.log)
      n += e == "close";
    return n;
  };
  const int before = closes();
  EXPECT_TRUE(g.Timer());
  EXPECT_EQ(closes(), before);
  EXPECT_FALSE(g.platform.timer.Enabled());

  // A new game from the timer in this mode goes straight on to the opening move.
  g.EnterAt(9, 2);
  g.EnterAt(9, 2);  // putting a hunter back touches the game
  g.Key(vk::kN);
  EXPECT_EQ(g.form.TimerAction, 0u);
  EXPECT_TRUE(g.Timer());
  EXPECT_EQ(closes(), before + 1);
  EXPECT_EQ(g.form.TimerAction, 1u);
  EXPECT_EQ(g.form.GameMode, 2);
  EXPECT_FALSE(g.platform.timer.Enabled());
}

TEST(Commands, EscAndOtherButtonsEndTheProgram) {
  for (int way = 0; way < 3; ++way) {
    CheckedGame g;
    TouchedTwoPlayerGame(g);
    const TBoard board = g.form.Board;
    const Image picture = g.platform.canvas->Picture();
    if (way == 0) g.Key(vk::kEscape);
    if (way == 1) g.Release(MouseButton::kRight, 150, 150);
    if (way == 2) g.Release(MouseButton::kMiddle, 540, 360);
    EXPECT_TRUE(g.platform.quit_requested);
    EXPECT_TRUE(g.platform.media.disabled);
    EXPECT_TRUE(g.form.Closing);
    EXPECT_EQ(g.form.Board, board);
    if (way != 0) {
      EXPECT_TRUE(g.platform.canvas->Picture().pixels == picture.pixels);
      EXPECT_EQ(g.form.MouseX, 0);
      EXPECT_FALSE(g.platform.timer.Enabled());
    }
    g.Keys({vk::kDown, vk::kEnter});  // nothing is handled any more
    EXPECT_EQ(g.form.CursorRow, 6);
    EXPECT_EQ(g.form.TurnState, 0);
  }
  // A finished game still ends on Esc, without drawing its result block again.
  CheckedGame g;
  FinishedGame(g);
  for (int y = 0; y < 85; ++y) {
    for (int x = 455; x < 615; ++x)
      g.platform.canvas->Picture().Set(x, y, Pixel(kBlack));
  }
  g.Key(vk::kEscape);
  EXPECT_TRUE(g.platform.quit_requested);
  EXPECT_EQ(g.PixelAt(455, 40), kBlack);
}

}  // namespace
}  // namespace vorlask::testing
