// Real play, move by move, checked against the picture: every square of the board shows what
// the Board holds after every click.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/sdl/bmp_file.h"
#include "support/fake_platform.h"
#include "support/picture_compare.h"
#include "support/wolf_positions.h"
#include "ui/tiles.h"

namespace vorlask::testing {
namespace {

// The tile a square must show: its piece or its colour, under the cursor the cursor's picture.
int TileFor(const TForm3& f, int row, int col) {
  const char code = f.Board.At(row, col);
  const bool cursor = row == f.CursorRow && col == f.CursorCol;
  switch (code) {
    case '0':
      return cursor ? tile::kCursorEmpty : tile::kDark;
    case '1':
      return cursor ? tile::kCursorEmpty : tile::kLight;
    case '2':
      return cursor ? tile::kCursorHunter : tile::kHunter;
    case '3':
      return cursor ? tile::kCursorWolf : tile::kWolf;
    case '4':
      return tile::kPickedHunter;
    case '5':
      return tile::kPickedWolf;
  }
  return -1;
}

// Every square of the board that does not show the tile it must, or an empty text.
std::string WrongSquares(const Game& g) {
  std::string wrong;
  for (int row = 2; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      const int expected = TileFor(g.form, row, col);
      if (expected < 0 ||
          !Shows(g.platform.canvas->Picture(), TForm3::SquareX(col), TForm3::SquareY(row),
                 g.form.ImageList1[static_cast<std::size_t>(expected)])) {
        wrong += " (" + std::to_string(row) + ", " + std::to_string(col) + ") should show tile " +
                 std::to_string(expected) + ";";
      }
    }
  }
  return wrong;
}

using Move = std::pair<Square, Square>;

// The person's moves: mostly what the computer would play in the person's place, worked out on
// a game of its own, now and then any legal move, so that the games go long and wide.
class Person {
 public:
  explicit Person(char piece) : piece_(piece) {
    for (Image& tile : advisor_.form.ImageList1)
      tile = Image{};
  }

  Move Next(const TForm3& f) {
    std::vector<Move> legal;
    for (int r = 2; r <= 9; ++r)
      for (int c = 2; c <= 9; ++c) {
        if (f.Board.At(r, c) != piece_) continue;
        for (const auto& [dr, dc] : {Square{-1, -1}, {-1, 1}, {1, -1}, {1, 1}}) {
          if (piece_ == '2' && dr > 0) continue;
          if (f.Board.At(r + dr, c + dc) == '0') legal.push_back({{r, c}, {r + dr, c + dc}});
        }
      }
    if (legal.empty()) return {};
    if (std::uniform_int_distribution<int>(0, 1)(rng_) != 0) {
      TForm3& a = advisor_.form;
      a.Board = f.Board;
      a.WolfRow = f.WolfRow;
      a.WolfCol = f.WolfCol;
      if (piece_ == '2') {
        a.wolfa();
      } else {
        a.wolfb();
      }
      for (const Move& m : legal)
        if (a.Board.At(m.first.first, m.first.second) == '0' &&
            a.Board.At(m.second.first, m.second.second) == piece_)
          return m;
    }
    return legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng_)];
  }

 private:
  char piece_;
  Game advisor_{false};
  std::mt19937 rng_{12};
};

std::string Where(const char* what, Square s) {
  return std::string(what) + " (" + std::to_string(s.first) + ", " + std::to_string(s.second) + ")";
}

// Games of a person against the computer, played with the mouse, the moves of every third turn
// animated. The picture is compared with the Board after every click, so after every move of
// the computer, animated or not, and again after a full repaint. Between them the games must
// put a piece on every dark square, and the computer must move pieces onto and off the
// rightmost column with and without the animation.
TEST(Picture, RealPlayShowsEverySquareAsTheBoardHoldsIt) {
  std::set<Square> occupied;
  std::array<int, 2> onto_right{}, off_right{};  // by AnimateMoves
  for (const std::uint16_t mode_key : {vk::kH, vk::kP}) {
    SCOPED_TRACE(mode_key == vk::kH ? "computer hunters" : "computer wolf");
    Game g;
    Person person(mode_key == vk::kH ? '3' : '2');
    auto check = [&](const std::string& after) {
      const std::string wrong = WrongSquares(g);
      if (!wrong.empty()) FAIL() << "after " << after << ":" << wrong;
      for (int r = 2; r <= 9; ++r)
        for (int c = 2; c <= 9; ++c)
          if (g.form.Board.At(r, c) != '0' && IsDarkSquare(r, c)) occupied.insert({r, c});
    };
    g.form.FormKeyDown(mode_key);
    for (int game = 0; game < 12; ++game) {
      for (int i = 0; i < 3 && g.FireTimer(); ++i) {
      }
      ASSERT_NO_FATAL_FAILURE(check("a new game"));
      for (int turn = 0; turn < 60 && g.form.GameActive == 1; ++turn) {
        if (g.form.AnimateMoves != (turn % 3 == 0 ? 1 : 0)) g.form.FormKeyDown(vk::kA);
        const int animate = g.form.AnimateMoves;
        const auto [from, to] = person.Next(g.form);
        ASSERT_NE(from.first, 0) << "the person has no move";
        g.ClickSquare(from.first, from.second);
        ASSERT_NO_FATAL_FAILURE(check(Where("picking up", from)));
        const TBoard before = g.form.Board;
        g.ClickSquare(to.first, to.second);
        const std::string what =
            Where("the move to", to) + " and the reply" + (animate == 1 ? ", animated" : "");
        ASSERT_NO_FATAL_FAILURE(check(what));
        for (int r = 2; r <= 9; ++r) {
          if (Square{r, 9} == from || Square{r, 9} == to) continue;
          const bool was = before.At(r, 9) != '0', is = g.form.Board.At(r, 9) != '0';
          onto_right[static_cast<std::size_t>(animate)] += !was && is;
          off_right[static_cast<std::size_t>(animate)] += was && !is;
        }
        g.platform.canvas->Clear(kOlive);
        g.form.FormPaint();
        ASSERT_NO_FATAL_FAILURE(check("a repaint after " + what));
      }
      g.form.FormKeyDown(vk::kN);
    }
  }
  for (const int animate : {0, 1}) {
    SCOPED_TRACE(animate == 1 ? "animated" : "not animated");
    EXPECT_GT(onto_right[static_cast<std::size_t>(animate)], 0)
        << "the computer never moved a piece onto the rightmost column";
    EXPECT_GT(off_right[static_cast<std::size_t>(animate)], 0)
        << "the computer never moved a piece off the rightmost column";
  }
  EXPECT_EQ(occupied.size(), 32u) << "dark squares that held a piece";
}

}  // namespace
}  // namespace vorlask::testing
