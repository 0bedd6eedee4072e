#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

TEST(WolfBook, RandomisedEntriesTakeTheVariantTheDrawChooses) {
  Game g(false);
  int randomised_so_far = 0;
  for (int e = 1; e <= kWolfPatternCount; ++e) {
    const WolfPattern& entry = WolfPatterns[static_cast<std::size_t>(e - 1)];
    if (!entry.Randomised()) continue;
    ++randomised_so_far;
    // The draw equal to the threshold still takes the first variant.
    const double draw_for[2] = {entry.threshold, std::nextafter(entry.threshold, 1.0)};
    for (int variant : {0, 1}) {
      SCOPED_TRACE("entry " + std::to_string(e) + " variant " + std::to_string(variant));
      // Look for a placement of the formation, with the wolf next to this variant's target,
      // on which the book takes this entry; every earlier randomised entry sees the same draw.
      bool found = false;
      for (int gap = 0; gap <= 4 && !found; ++gap) {
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
              found = true;
              break;
            }
          }
          if (found) break;
        }
      }
      EXPECT_TRUE(found);
    }
  }
  EXPECT_EQ(randomised_so_far, 6);
}

}  // namespace
}  // namespace vorlask::testing
