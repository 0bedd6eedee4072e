#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "ai/hunter_patterns.h"
#include "support/fake_platform.h"
#include "support/hunters_walk.h"
#include "support/wolf_positions.h"

namespace vorlask::testing {
namespace {

using Cells = std::vector<Square>;

// The given hunters and wolf on an empty field, hunters to move.
void PlacePieces(TForm3& f, const Cells& hunters, Square wolf) {
  SetPosition(f, hunters, wolf);
  f.TurnState = 0;
}

void SetPosition(TForm3& f, const Cells& hunters, Square wolf) {
  PlacePieces(f, hunters, wolf);
  ASSERT_EQ(CheckBoard(f.Board), "");
}

Cells HuntersOn(const TBoard& board) {
  Cells cells;
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c) {
      if (board.At(r, c) == '2') cells.emplace_back(r, c);
    }
  }
  return cells;
}

Cells CellsOf(const HunterPattern& p, char code) {
  Cells cells;
  for (int k = 1; k <= p.RowCount(); ++k) {
    for (int j = 1; j <= 8; ++j) {
      if (p.At(k, j) == code) cells.emplace_back(k, j);
    }
  }
  return cells;
}

// A formation and its mirror image are one formation.
Cells FormationOf(const HunterPattern& p) {
  Cells cells = CellsOf(p, '2');
  Cells mirrored;
  for (const auto& [k, j] : cells)
    mirrored.emplace_back(k, 9 - j);
  std::sort(cells.begin(), cells.end());
  std::sort(mirrored.begin(), mirrored.end());
  return std::min(cells, mirrored);
}

TEST(HunterPatterns, EveryEntryKeepsTheTableInvariants) {
  ASSERT_EQ(HunterPatterns.size(), 35u);
  for (std::size_t e = 0; e < HunterPatterns.size(); ++e) {
    const HunterPattern& p = HunterPatterns[e];
    SCOPED_TRACE("entry " + std::to_string(e + 1));
    const int rows = p.RowCount();
    ASSERT_GE(rows, 2);
    for (int k = 1; k <= 5; ++k) {
      const std::string_view row = p.rows[static_cast<std::size_t>(k - 1)];
      if (k > rows) {
        EXPECT_TRUE(row.empty());
        continue;
      }
      ASSERT_EQ(row.size(), 8u);
      EXPECT_EQ(row.find_first_not_of("01256"), std::string_view::npos) << row;
    }
    // Dark squares ("0", "2", "6") on one checkerboard, light ones ("1") on the other; the
    // any-wolf mark "5" stands only at the end of row 1.
    const int light = (p.At(1, 1) == '1') ? 0 : 1;  // the parity of k + j on light squares
    for (int k = 1; k <= rows; ++k) {
      for (int j = 1; j <= 8; ++j) {
        const char cell = p.At(k, j);
        if (cell == '5') {
          EXPECT_TRUE(k == 1 && j == 8) << "mark at (" << k << ", " << j << ")";
        } else {
          EXPECT_EQ((k + j) % 2 == light, cell == '1') << "cell (" << k << ", " << j << ")";
        }
      }
    }
    const Cells hunters = CellsOf(p, '2');
    EXPECT_EQ(hunters.size(), 4u);
    EXPECT_TRUE(std::any_of(hunters.begin(), hunters.end(), [](Square s) { return s.first == 1; }));

    // The move: a hunter of the formation steps one pattern row on and one column aside, onto
    // a dark square that the formation leaves empty.
    const Square from{p.from.row, p.from.col}, to{p.to.row, p.to.col};
    EXPECT_EQ(p.At(from.first, from.second), '2');
    EXPECT_EQ(to.first, from.first + 1);
    EXPECT_EQ(std::abs(to.second - from.second), 1);
    EXPECT_TRUE(to.second >= 1 && to.second <= 8);
    EXPECT_NE(p.At(to.first, to.second), '2');

    // An entry that does not fit with the wolf anywhere names one or two wolf squares.
    if (!p.AnyWolf()) {
      EXPECT_GE(CellsOf(p, '6').size(), 1u);
      EXPECT_LE(CellsOf(p, '6').size(), 2u);
    }
  }
}

TEST(HunterPatterns, TwentyTwoFormationsEachEndingWithItsAnyWolfEntry) {
  std::map<Cells, std::vector<int>> entries_of;
  for (std::size_t e = 0; e < HunterPatterns.size(); ++e) {
    entries_of[FormationOf(HunterPatterns[e])].push_back(static_cast<int>(e) + 1);
  }
  EXPECT_EQ(entries_of.size(), 22u);

  std::set<std::vector<int>> groups;
  for (const auto& [formation, entries] : entries_of) {
    groups.insert(entries);
    const auto is_any = [](int n) {
      return HunterPatterns[static_cast<std::size_t>(n - 1)].AnyWolf();
    };
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), is_any), 1) << "entry " << entries[0];
    EXPECT_TRUE(is_any(entries.back())) << "entry " << entries[0];
  }
  const std::set<std::vector<int>> shared = {{1, 2},   {3, 4},   {5, 6},       {7, 8},
                                             {9, 10},  {11, 12}, {14, 27},     {15, 16},
                                             {18, 22}, {24, 25}, {26, 29, 35}, {31, 32}};
  for (const auto& group : shared)
    EXPECT_TRUE(groups.count(group)) << "entry " << group[0];
  for (const int alone : {13, 17, 19, 20, 21, 23, 28, 30, 33, 34}) {
    EXPECT_TRUE(groups.count({alone})) << "entry " << alone;
  }
}

struct WorkedCase {
  Cells hunters;
  std::vector<Square> wolves;
  Square from, to;
};

TEST(Wolfa, MovesTheHunterTheFormationNames) {
  const Cells home = {{9, 2}, {9, 4}, {9, 6}, {9, 8}};
  const Cells gap_one = {{8, 3}, {8, 5}, {8, 7}, {8, 9}};
  const Cells gap_two = {{7, 2}, {7, 4}, {7, 6}, {7, 8}};
  const Cells third_entry = {{8, 3}, {9, 4}, {9, 6}, {9, 8}};
  const std::vector<WorkedCase> cases = {
      {home, {{8, 3}}, {9, 8}, {8, 7}},
      {home, {{6, 3}, {6, 5}, {8, 5}, {5, 4}, {7, 6}, {3, 4}}, {9, 2}, {8, 3}},
      {gap_one, {{7, 8}}, {8, 3}, {7, 4}},
      {gap_one, {{5, 4}, {7, 2}}, {8, 9}, {7, 8}},
      {gap_two, {{6, 3}}, {7, 8}, {6, 7}},
      {gap_two, {{4, 5}}, {7, 2}, {6, 3}},
      {third_entry, {{7, 4}, {8, 5}}, {9, 8}, {8, 7}},
      {third_entry, {{7, 2}, {6, 5}}, {9, 4}, {8, 5}},
  };
  Game g(false);
  TForm3& f = g.form;
  for (const WorkedCase& c : cases) {
    for (const Square& wolf : c.wolves) {
      SCOPED_TRACE("hunter on (" + std::to_string(c.hunters[0].first) + ", " +
                   std::to_string(c.hunters[0].second) + "), wolf on (" +
                   std::to_string(wolf.first) + ", " + std::to_string(wolf.second) + ")");
      SetPosition(f, c.hunters, wolf);
      f.wolfa();
      Cells expected = c.hunters;
      std::replace(expected.begin(), expected.end(), c.from, c.to);
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(HuntersOn(f.Board), expected);
      EXPECT_EQ(f.Board.At(c.from.first, c.from.second), '0');
      EXPECT_EQ(f.Board.At(wolf.first, wolf.second), '3');
      EXPECT_EQ(Square(f.AnimFromRow, f.AnimFromCol), c.from);
      EXPECT_EQ(Square(f.AnimToRow, f.AnimToCol), c.to);
      EXPECT_EQ(f.TurnState, 3);
      EXPECT_EQ(f.FullRedraw, 0);
      EXPECT_EQ(CheckBoard(f.Board), "");
    }
  }
}

TEST(Wolfa, RedrawsTheSquareTheHunterLeftAsEmpty) {
  Game g(false);
  TForm3& f = g.form;
  SetPosition(f, {{9, 2}, {9, 4}, {9, 6}, {9, 8}}, {8, 3});
  // Stale hunter pictures on the squares, as the person's screen would still show them.
  f.wolf1();
  f.wolfa();
  ASSERT_EQ(f.Board.At(9, 8), '0');
  const int x = TForm3::SquareX(8), y = TForm3::SquareY(9);
  const int ex = TForm3::SquareX(5), ey = TForm3::SquareY(8);  // an untouched empty square
  for (int d = 0; d < kTileSize; d += 4) {
    EXPECT_EQ(g.PixelAt(x + d, y + 26), g.PixelAt(ex + d, ey + 26)) << "dx " << d;
  }
  const int hx = TForm3::SquareX(7), hy = TForm3::SquareY(8);
  const int ox = TForm3::SquareX(2), oy = TForm3::SquareY(9);  // a hunter that did not move
  for (int d = 0; d < kTileSize; d += 4) {
    EXPECT_EQ(g.PixelAt(hx + d, hy + 26), g.PixelAt(ox + d, oy + 26)) << "dx " << d;
  }
}

TEST(Wolfa, FormationsOutsideTheTableChangeNothing) {
  Game g(false);
  TForm3& f = g.form;
  struct Case {
    Cells hunters;
    Square wolf;
  };
  const std::vector<Case> cases = {
      // A formation the table does not know.
      {{{9, 2}, {9, 4}, {9, 6}, {7, 8}}, {5, 4}},
      // Hunters on the top row: their any-wolf entry would send one off the field.
      {{{2, 3}, {2, 5}, {2, 7}, {2, 9}}, {5, 4}},
      // Its any-wolf entry would send a hunter onto the wolf.
      {{{8, 3}, {8, 5}, {9, 6}, {7, 6}}, {8, 7}},
  };
  for (const Case& c : cases) {
    SetPosition(f, c.hunters, c.wolf);
    f.AnimFromRow = 1, f.AnimFromCol = 2, f.AnimToRow = 3, f.AnimToCol = 4;
    const TBoard before = f.Board;
    const Image picture = g.platform.canvas->Picture();
    f.wolfa();
    EXPECT_EQ(f.Board, before);
    EXPECT_EQ(f.TurnState, 0);
    EXPECT_EQ(f.AnimFromRow, 1);
    EXPECT_EQ(f.AnimFromCol, 2);
    EXPECT_EQ(f.AnimToRow, 3);
    EXPECT_EQ(f.AnimToCol, 4);
    EXPECT_TRUE(g.platform.canvas->Picture().pixels == picture.pixels) << "the screen changed";
  }
}

// On any Board at all, a move the table chooses is a legal hunter move: one hunter, one step
// diagonally forwards, onto an empty dark square of the field.
TEST(Wolfa, OnAnyBoardOnlyLegalMoves) {
  std::mt19937 rng(20261208);
  std::vector<Square> dark;
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c) {
      if (IsDarkSquare(r, c)) dark.emplace_back(r, c);
    }
  }
  Game g(false);
  TForm3& f = g.form;
  int moves = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    // Hunters mostly close together near the back rows, so that many formations are met.
    std::shuffle(dark.begin(), dark.end(), rng);
    const int base = 2 + static_cast<int>(rng() % 8);
    Cells hunters;
    for (const Square& s : dark) {
      if (hunters.size() < 4 && s.first >= base && s.first <= base + 3) hunters.push_back(s);
    }
    if (hunters.size() < 4) continue;
    Square wolf{};
    for (const Square& s : dark) {
      if (std::find(hunters.begin(), hunters.end(), s) == hunters.end()) {
        wolf = s;
        break;
      }
    }
    PlacePieces(f, hunters, wolf);
    const TBoard before = f.Board;
    f.wolfa();
    if (f.TurnState == 0) {
      EXPECT_EQ(f.Board, before);
      continue;
    }
    ++moves;
    const int fr = f.AnimFromRow, fc = f.AnimFromCol, tr = f.AnimToRow, tc = f.AnimToCol;
    ASSERT_EQ(before.At(fr, fc), '2');
    ASSERT_EQ(before.At(tr, tc), '0') << "target (" << tr << ", " << tc << ")";
    ASSERT_EQ(tr, fr - 1);
    ASSERT_EQ(std::abs(tc - fc), 1);
    TBoard expected = before;
    expected.Set(fr, fc, '0');
    expected.Set(tr, tc, '2');
    ASSERT_EQ(f.Board, expected);
  }
  EXPECT_GT(moves, 200);
}

}  // namespace
}  // namespace vorlask::testing
