#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "ai/wolf_patterns.h"
#include "support/fake_platform.h"
#include "support/wolf_positions.h"

namespace vorlask::testing {
namespace {

const std::initializer_list<Square> kHomeRow = {{9, 2}, {9, 4}, {9, 6}, {9, 8}};

int CountOf(const WolfPattern& entry, int variant, char ch) {
  int n = 0;
  for (int k = 1; k <= entry.RowCount(); ++k) {
    for (char c : entry.Row(k, variant))
      n += c == ch ? 1 : 0;
  }
  return n;
}

TEST(WolfBook, EntriesKeepTheirInvariants) {
  int randomised = 0;
  for (int e = 1; e <= kWolfPatternCount; ++e) {
    SCOPED_TRACE("entry " + std::to_string(e));
    const WolfPattern& entry = WolfPatterns[static_cast<std::size_t>(e - 1)];
    const int rows = entry.RowCount();
    EXPECT_GE(rows, 3);
    EXPECT_LE(rows, 7);
    for (int k = rows + 1; k <= kMaxWolfPatternRows; ++k) {
      EXPECT_TRUE(entry.rows[static_cast<std::size_t>(k - 1)].empty());
    }
    if (entry.Randomised()) {
      ++randomised;
      EXPECT_GE(entry.varying_row, 1);
      EXPECT_LE(entry.varying_row, rows);
      EXPECT_GT(entry.threshold, 0.0);
      EXPECT_LT(entry.threshold, 1.0);
      // The variants differ only in where the target stands.
      const std::string_view first = entry.Row(entry.varying_row, 0);
      const std::string_view second = entry.Row(entry.varying_row, 1);
      EXPECT_NE(first, second);
      for (std::size_t j = 0; j < first.size() && j < second.size(); ++j) {
        if (first[j] != '6' && second[j] != '6') {
          EXPECT_EQ(first[j], second[j]) << "column " << j + 1;
        }
      }
    }
    const int expected_hunters = e == 8 ? 2 : e == 9 ? 3 : e == 75 ? 5 : 4;
    EXPECT_EQ(entry.guard_row != 0, e == 8 || e == 9);
    for (int variant : {0, 1}) {
      if (variant == 1 && !entry.Randomised()) continue;
      EXPECT_EQ(CountOf(entry, variant, '6'), 1);
      EXPECT_EQ(CountOf(entry, variant, '2'), expected_hunters);
      // "0", "2" and "6" stand on the dark squares of one checkerboard, "1" on the light ones.
      std::set<int> dark_parity, light_parity;
      for (int k = 1; k <= rows; ++k) {
        const std::string_view row = entry.Row(k, variant);
        ASSERT_EQ(row.size(), 8u) << "row " << k;
        for (int j = 1; j <= 8; ++j) {
          const char c = row[static_cast<std::size_t>(j - 1)];
          ASSERT_NE(std::string_view("0126").find(c), std::string_view::npos) << c;
          (c == '1' ? light_parity : dark_parity).insert((k + j) % 2);
        }
      }
      EXPECT_EQ(dark_parity.size(), 1u);
      EXPECT_EQ(light_parity.size(), 1u);
      EXPECT_NE(dark_parity, light_parity);
      // The guard cell is a dark cell with the target one row up and one column right of it.
      if (entry.guard_row != 0) {
        EXPECT_EQ(entry.Row(entry.guard_row, 0)[static_cast<std::size_t>(entry.guard_col - 1)],
                  '0');
        EXPECT_EQ(entry.Row(entry.guard_row + 1, 0)[static_cast<std::size_t>(entry.guard_col)],
                  '6');
      }
    }
  }
  EXPECT_EQ(randomised, 6);
}

TEST(WolfBook, OpeningMoveFromEitherLayout) {
  struct Case {
    int start_option;
    Square from, to;
  };
  for (const Case& c : {Case{1, {7, 4}, {8, 3}}, Case{2, {6, 5}, {7, 4}}}) {
    Game g;
    g.form.ModeOption = 3;
    g.form.StartOption = static_cast<std::uint8_t>(c.start_option);
    g.form.wolf0();
    ASSERT_EQ(WolfSquare(g.form), c.from);
    g.form.wolfc();
    EXPECT_EQ(g.form.WolfMoved, 1);
    EXPECT_EQ(WolfSquare(g.form), c.to);
    EXPECT_EQ(g.form.Board.At(c.to.first, c.to.second), '3');
    EXPECT_EQ(g.form.Board.At(c.from.first, c.from.second), '0');
    EXPECT_EQ(CheckBoard(g.form.Board), "");
    EXPECT_EQ((Square{g.form.AnimFromRow, g.form.AnimFromCol}), c.from);
    EXPECT_EQ((Square{g.form.AnimToRow, g.form.AnimToCol}), c.to);
    EXPECT_EQ(g.form.AnimWolf, 0);
    EXPECT_EQ(g.form.FullRedraw, 0);
    // The book alone never hands the turn over: that is the caller's business.
    EXPECT_EQ(g.form.TurnState, 0);
    EXPECT_EQ(g.form.MoveMade, 0);
    EXPECT_EQ(g.form.GameActive, 1);
    EXPECT_EQ(g.platform.random_draws, 0);
  }
}

struct BookCase {
  const char* name;
  std::initializer_list<Square> hunters;
  Square wolf;
  Square to;  // the wolf's square afterwards; the same square when the book has no move
};

void ExpectBookMove(Game& g, const BookCase& c) {
  SCOPED_TRACE(c.name);
  SetPosition(g.form, c.hunters, c.wolf);
  const TBoard before = g.form.Board;
  g.form.wolfc();
  EXPECT_EQ(WolfSquare(g.form), c.to);
  EXPECT_EQ(g.form.WolfMoved, c.to == c.wolf ? 0 : 1);
  if (c.to == c.wolf) {
    EXPECT_EQ(g.form.Board, before);
  } else {
    EXPECT_EQ(g.form.Board.At(c.to.first, c.to.second), '3');
    EXPECT_EQ(CheckBoard(g.form.Board), "");
  }
}

TEST(WolfBook, WorkedPositions) {
  const BookCase cases[] = {
      {"entry 2 as written", kHomeRow, {7, 2}, {8, 3}},
      {"entry 2 mirrored", {{8, 3}, {8, 5}, {8, 7}, {8, 9}}, {6, 7}, {7, 8}},
      {"entry 8 by its guard cell", {{8, 3}, {7, 4}, {8, 5}, {8, 9}}, {6, 3}, {5, 4}},
      {"entry 8, third hunter far away", {{8, 3}, {7, 4}, {4, 9}, {8, 9}}, {6, 3}, {5, 4}},
      {"entry 8, one hunter cell held", {{8, 3}, {7, 6}, {8, 5}, {8, 9}}, {6, 3}, {6, 3}},
      {"entry 8, target held", {{8, 3}, {7, 4}, {8, 5}, {5, 4}}, {6, 3}, {6, 3}},
      {"entry 8, wolf beside the guard cell", {{8, 3}, {7, 4}, {8, 5}, {8, 9}}, {6, 5}, {6, 5}},
      {"no entry knows the wolf's square", kHomeRow, {5, 4}, {5, 4}},
      {"wolf below the lowest hunters", {{8, 3}, {8, 5}, {8, 7}, {7, 8}}, {9, 4}, {9, 4}},
  };
  Game g(false);
  for (const BookCase& c : cases)
    ExpectBookMove(g, c);
}

TEST(WolfBook, NoMoveDrawsNothingOnScreenAndDrawsOncePerRandomisedEntry) {
  Game g(false);
  SetPosition(g.form, kHomeRow, {5, 4});
  const std::vector<std::uint32_t> picture = g.platform.canvas->Picture().pixels;
  g.form.wolfc();
  EXPECT_EQ(g.form.WolfMoved, 0);
  EXPECT_EQ(g.platform.random_draws, 6);
  EXPECT_TRUE(g.platform.canvas->Picture().pixels == picture);
}

TEST(WolfBook, TargetAboveTheFieldEndsTheSearchWithoutAMove) {
  // Entry 1 fits with its hunter row on row 3 and its target beyond row 2.
  Game g(false);
  SetPosition(g.form, {{3, 2}, {3, 4}, {3, 6}, {3, 8}}, {2, 3});
  const TBoard before = g.form.Board;
  g.form.wolfc();
  EXPECT_EQ(g.form.WolfMoved, 0);
  EXPECT_EQ(g.form.Board, before);
  EXPECT_EQ(WolfSquare(g.form), (Square{2, 3}));
  // The first randomised entry was never reached.
  EXPECT_EQ(g.platform.random_draws, 0);
}

// The Board square under pattern cell (k, j) with the hunters' lowest row HunterGap rows up.
Square Under(int k, int j, int gap, bool mirrored) {
  return {10 - k - gap, mirrored ? 10 - j : j + 1};
}

bool OnField(Square s) {
  return s.first >= 2 && s.first <= 9 && s.second >= 2 && s.second <= 9;
}

// The randomised entries and the draw up to which each takes its first variant, written here
// rather than read from the book, so that a wrong number in the book shows.
struct Threshold {
  int entry;
  double threshold;
};
constexpr Threshold kThresholds[] = {{5, 0.4},   {44, 0.4},  {51, 0.35},
                                     {68, 0.45}, {71, 0.45}, {72, 0.3}};

// Whether, with the wolf on one of the target's neighbours, the book takes this variant of the
// entry: the draw that chooses it sends the wolf to the target, the draw that chooses the other
// does not, and the search drew once for each randomised entry up to this one.
bool TakesTheVariant(Game& g, const std::vector<Square>& hunters, Square target, int gap,
                     int variant, const double (&draw_for)[2], int randomised_so_far) {
  for (const auto& [dr, dc] : {Square{1, -1}, {1, 1}, {-1, -1}, {-1, 1}}) {
    const Square wolf{target.first + dr, target.second + dc};
    if (!OnField(wolf) || std::find(hunters.begin(), hunters.end(), wolf) != hunters.end())
      continue;
    if (wolf.first > 10 - 1 - gap) continue;  // lower than the lowest hunters
    Square after[2];
    int draws[2];
    for (int chosen : {0, 1}) {
      g.platform.random_draws = 0;
      SetPosition(g.form, {}, wolf);
      for (const Square& h : hunters)
        g.form.Board.Set(h.first, h.second, '2');
      g.platform.random_values.assign(6, draw_for[chosen]);
      g.form.wolfc();
      after[chosen] = WolfSquare(g.form);
      draws[chosen] = g.platform.random_draws;
    }
    if (after[variant] == target && after[1 - variant] != target &&
        draws[variant] == randomised_so_far) {
      return true;
    }
  }
  return false;
}

// Looks for a placement of the formation, with the wolf next to this variant's target, on which
// the book takes this entry; every earlier randomised entry sees the same draw.
bool FindsPlacement(Game& g, const WolfPattern& entry, int variant, const double (&draw_for)[2],
                    int randomised_so_far) {
  for (int gap = 0; gap <= 4; ++gap) {
    for (const bool mirrored : {false, true}) {
      std::vector<Square> hunters;
      Square target{};
      bool fits_field = true;
      for (int k = 1; k <= entry.RowCount(); ++k) {
        for (int j = 1; j <= 8; ++j) {
          const char c = entry.Row(k, variant)[static_cast<std::size_t>(j - 1)];
          const Square s = Under(k, j, gap, mirrored);
          if (c == '2') hunters.push_back(s);
          if (c == '6') target = s;
          if ((c == '2' || c == '6') && !OnField(s)) fits_field = false;
        }
      }
      if (!fits_field) continue;
      if (TakesTheVariant(g, hunters, target, gap, variant, draw_for, randomised_so_far))
        return true;
    }
  }
  return false;
}

TEST(WolfBook, RandomisedEntriesTakeTheVariantTheDrawChooses) {
  Game g(false);
  int randomised_so_far = 0;
  for (int e = 1; e <= kWolfPatternCount; ++e) {
    const WolfPattern& entry = WolfPatterns[static_cast<std::size_t>(e - 1)];
    const auto known = std::find_if(std::begin(kThresholds), std::end(kThresholds),
                                    [e](const Threshold& t) { return t.entry == e; });
    ASSERT_EQ(entry.Randomised(), known != std::end(kThresholds)) << "entry " << e;
    if (!entry.Randomised()) continue;
    ++randomised_so_far;
    // The draw equal to the threshold still takes the first variant, the next one up not.
    const double draw_for[2] = {known->threshold, std::nextafter(known->threshold, 1.0)};
    for (int variant : {0, 1}) {
      SCOPED_TRACE("entry " + std::to_string(e) + " variant " + std::to_string(variant));
      const bool found = FindsPlacement(g, entry, variant, draw_for, randomised_so_far);
      EXPECT_TRUE(found);
    }
  }
  EXPECT_EQ(randomised_so_far, 6);
}

// For every entry that fires in play, one position from the walks of every game a person's
// hunters can play against the computer wolf, with the square the wolf must go to. The draws
// are those the computer makes for the randomised entries in turn (0.0 once they run out).
// Entry 10 is missing because it never fires in a game that can be reached: the walks, which
// follow every hunter play with the draws taken both ways, never meet a position in which it is
// the first entry to fit.
struct Fired {
  int entry;
  std::vector<Square> hunters;
  Square wolf;
  Square to;
  std::vector<double> draws;
};

const std::vector<Fired>& FiredInPlay() {
  static const std::vector<Fired> cases = {
      {1, {{4, 3}, {4, 5}, {4, 7}, {4, 9}}, {3, 6}, {2, 7}, {}},
      {2, {{5, 2}, {5, 4}, {5, 6}, {5, 8}}, {3, 4}, {4, 3}, {}},
      {3, {{5, 2}, {5, 4}, {5, 6}, {5, 8}}, {3, 6}, {4, 5}, {}},
      {4, {{3, 4}, {3, 8}, {4, 5}, {4, 7}}, {3, 6}, {2, 5}, {}},
      {5, {{3, 4}, {4, 5}, {5, 6}, {5, 8}}, {4, 7}, {3, 8}, {}},
      {6, {{3, 4}, {4, 5}, {4, 7}, {5, 8}}, {3, 6}, {2, 5}, {}},
      {7, {{3, 4}, {5, 4}, {6, 3}, {7, 2}}, {4, 3}, {3, 2}, {}},
      {8, {{2, 5}, {3, 6}, {4, 7}, {5, 8}}, {3, 8}, {2, 7}, {}},
      {9, {{3, 6}, {4, 7}, {5, 8}, {6, 3}}, {3, 8}, {2, 7}, {}},
      {11, {{4, 7}, {5, 6}, {6, 3}, {6, 5}}, {4, 5}, {3, 6}, {}},
      {12, {{4, 7}, {5, 2}, {5, 6}, {6, 5}}, {3, 6}, {2, 7}, {}},
      {13, {{2, 5}, {4, 5}, {5, 6}, {5, 8}}, {3, 6}, {2, 7}, {}},
      {14, {{4, 5}, {5, 8}, {6, 5}, {6, 7}}, {4, 7}, {3, 6}, {}},
      {15, {{5, 4}, {5, 6}, {6, 7}, {6, 9}}, {3, 4}, {4, 3}, {}},
      {16, {{5, 4}, {5, 6}, {6, 7}, {6, 9}}, {3, 6}, {4, 5}, {}},
      {17, {{5, 4}, {5, 6}, {6, 5}, {7, 4}}, {4, 7}, {3, 6}, {}},
      {18, {{5, 2}, {5, 6}, {6, 5}, {7, 4}}, {4, 7}, {3, 6}, {}},
      {19, {{2, 3}, {3, 6}, {4, 5}, {5, 4}}, {3, 8}, {2, 7}, {}},
      {20, {{4, 5}, {4, 7}, {5, 2}, {5, 4}}, {3, 8}, {2, 7}, {}},
      {21, {{4, 3}, {4, 5}, {4, 7}, {5, 4}}, {2, 7}, {3, 8}, {}},
      {22, {{3, 2}, {4, 5}, {4, 7}, {5, 4}}, {3, 8}, {2, 7}, {}},
      {23, {{7, 6}, {8, 7}, {9, 2}, {9, 4}}, {8, 5}, {7, 4}, {}},
      {24, {{3, 8}, {4, 3}, {4, 5}, {4, 7}}, {2, 5}, {3, 6}, {}},
      {25, {{4, 3}, {5, 4}, {5, 6}, {5, 8}}, {4, 7}, {3, 6}, {}},
      {26, {{3, 6}, {4, 3}, {4, 5}, {4, 7}}, {2, 5}, {3, 4}, {}},
      {27, {{4, 5}, {4, 7}, {5, 4}, {6, 3}}, {4, 9}, {3, 8}, {}},
      {28, {{4, 5}, {5, 6}, {6, 3}, {6, 5}}, {4, 3}, {3, 4}, {}},
      {29, {{4, 3}, {4, 5}, {4, 7}, {5, 4}}, {2, 5}, {3, 6}, {}},
      {30, {{4, 5}, {4, 7}, {5, 2}, {5, 4}}, {3, 4}, {2, 5}, {}},
      {31, {{3, 6}, {4, 5}, {5, 4}, {6, 3}}, {3, 4}, {2, 5}, {}},
      {32, {{5, 4}, {5, 6}, {6, 7}, {7, 8}}, {4, 3}, {3, 4}, {}},
      {33, {{2, 5}, {3, 4}, {4, 7}, {5, 8}}, {3, 6}, {2, 7}, {}},
      {34, {{3, 4}, {4, 5}, {4, 7}, {5, 6}}, {3, 8}, {4, 9}, {}},
      {35, {{3, 8}, {5, 4}, {5, 6}, {6, 5}}, {4, 7}, {3, 6}, {}},
      {36, {{3, 6}, {5, 4}, {5, 8}, {6, 3}}, {4, 5}, {3, 4}, {}},
      {37, {{2, 3}, {3, 6}, {4, 3}, {5, 8}}, {3, 8}, {2, 7}, {}},
      {38, {{3, 4}, {4, 7}, {5, 4}, {6, 5}}, {3, 6}, {2, 7}, {}},
      {39, {{4, 5}, {6, 5}, {6, 7}, {7, 8}}, {4, 7}, {3, 6}, {}},
      {40, {{4, 7}, {5, 4}, {5, 6}, {6, 5}}, {5, 8}, {6, 7}, {}},
      {41, {{5, 4}, {5, 8}, {6, 5}, {7, 8}}, {4, 3}, {3, 4}, {}},
      {42, {{5, 4}, {6, 5}, {6, 7}, {6, 9}}, {4, 3}, {3, 4}, {}},
      {43, {{4, 3}, {4, 5}, {4, 7}, {5, 6}}, {4, 9}, {5, 8}, {}},
      {44, {{3, 4}, {4, 5}, {4, 7}, {4, 9}}, {2, 7}, {3, 6}, {}},
      {45, {{4, 7}, {5, 4}, {6, 5}, {7, 4}}, {3, 6}, {2, 7}, {}},
      {46, {{4, 5}, {4, 7}, {6, 5}, {6, 7}}, {3, 4}, {2, 5}, {}},
      {47, {{5, 4}, {6, 7}, {8, 5}, {8, 7}}, {4, 5}, {3, 4}, {}},
      {48, {{3, 8}, {4, 5}, {6, 5}, {6, 7}}, {4, 3}, {3, 4}, {}},
      {49, {{5, 4}, {5, 8}, {6, 5}, {7, 6}}, {4, 5}, {3, 4}, {}},
      {50, {{4, 7}, {5, 4}, {6, 5}, {7, 6}}, {3, 4}, {4, 3}, {}},
      {51, {{3, 4}, {5, 4}, {5, 6}, {5, 8}}, {3, 6}, {4, 7}, {}},
      {52, {{3, 4}, {4, 7}, {5, 6}, {6, 7}}, {5, 4}, {4, 3}, {}},
      {53, {{4, 3}, {4, 5}, {4, 7}, {5, 6}}, {2, 7}, {3, 8}, {}},
      {54, {{4, 5}, {5, 6}, {6, 7}, {6, 9}}, {4, 7}, {3, 6}, {}},
      {55, {{4, 5}, {4, 9}, {5, 6}, {6, 7}}, {4, 3}, {3, 4}, {}},
      {56, {{4, 7}, {5, 4}, {5, 6}, {6, 5}}, {3, 8}, {4, 9}, {}},
      {57, {{4, 7}, {5, 4}, {5, 6}, {6, 5}}, {3, 6}, {2, 7}, {}},
      {58, {{4, 5}, {4, 7}, {5, 4}, {6, 3}}, {2, 5}, {3, 6}, {}},
      {59, {{5, 4}, {5, 6}, {6, 5}, {7, 6}}, {6, 3}, {5, 2}, {}},
      {60, {{5, 4}, {5, 6}, {6, 7}, {7, 6}}, {4, 5}, {3, 4}, {}},
      {61, {{4, 5}, {4, 9}, {5, 6}, {6, 5}}, {2, 5}, {3, 4}, {}},
      {62, {{5, 6}, {7, 2}, {7, 4}, {8, 7}}, {4, 5}, {3, 6}, {}},
      {63, {{3, 6}, {5, 2}, {5, 4}, {5, 8}}, {3, 8}, {2, 7}, {}},
      {64, {{5, 6}, {6, 3}, {7, 4}, {8, 7}}, {3, 6}, {4, 7}, {}},
      {65, {{3, 6}, {4, 5}, {5, 2}, {5, 8}}, {4, 7}, {3, 8}, {}},
      {66, {{3, 6}, {4, 3}, {5, 4}, {5, 8}}, {4, 7}, {3, 8}, {}},
      {67, {{3, 6}, {4, 3}, {5, 2}, {5, 8}}, {4, 7}, {3, 8}, {}},
      {68, {{5, 4}, {5, 6}, {5, 8}, {7, 6}}, {3, 4}, {4, 5}, {0, 0, 0, 0.99}},
      {69, {{5, 4}, {6, 5}, {6, 7}, {8, 7}}, {4, 3}, {3, 4}, {}},
      {70, {{2, 3}, {4, 5}, {4, 7}, {6, 7}}, {3, 4}, {2, 5}, {}},
      {71, {{5, 4}, {5, 6}, {6, 5}, {7, 6}}, {4, 7}, {3, 6}, {0, 0, 0, 0, 0.99}},
      {72, {{3, 4}, {4, 5}, {4, 7}, {5, 6}}, {3, 6}, {2, 7}, {}},
      {73, {{4, 3}, {4, 5}, {4, 7}, {5, 6}}, {2, 5}, {3, 6}, {}},
      {74, {{2, 5}, {4, 3}, {4, 7}, {4, 9}}, {3, 6}, {2, 7}, {}},
      {75, {{2, 3}, {4, 3}, {5, 6}, {5, 8}}, {3, 6}, {2, 7}, {}},
      {76, {{5, 4}, {5, 6}, {6, 7}, {7, 8}}, {4, 7}, {3, 6}, {}},
      {77, {{4, 7}, {5, 4}, {7, 4}, {8, 3}}, {2, 7}, {3, 8}, {}},
      {78, {{5, 4}, {5, 6}, {5, 8}, {7, 8}}, {3, 4}, {4, 5}, {}},
      {79, {{5, 4}, {6, 7}, {7, 6}, {8, 7}}, {3, 4}, {4, 3}, {}},
  };
  return cases;
}

TEST(WolfBook, EveryEntryThatFiresInPlayMovesTheWolfToItsTarget) {
  Game g(false);
  for (const Fired& c : FiredInPlay()) {
    SCOPED_TRACE("entry " + std::to_string(c.entry));
    SetPosition(g.form, {}, c.wolf);
    for (const Square& h : c.hunters)
      g.form.Board.Set(h.first, h.second, '2');
    g.platform.random_values.assign(c.draws.begin(), c.draws.end());
    g.platform.random_draws = 0;
    g.form.wolfc();
    EXPECT_EQ(WolfSquare(g.form), c.to);
    // The search stopped at this entry: it drew once for each randomised entry up to it.
    const auto drawn = std::count_if(std::begin(kThresholds), std::end(kThresholds),
                                     [&c](const Threshold& t) { return t.entry <= c.entry; });
    EXPECT_EQ(g.platform.random_draws, drawn);
  }
}

}  // namespace
}  // namespace vorlask::testing
