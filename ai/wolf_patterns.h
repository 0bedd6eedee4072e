#pragma once

#include <array>
#include <string_view>

namespace vorlask {

inline constexpr int kWolfPatternCount = 79;
inline constexpr int kMaxWolfPatternRows = 7;

// One formation of the computer wolf's book. Pattern row 1 lies on the lowest Board row that
// holds a hunter, the later rows above it; each row has eight cells, one per Board column.
// "2" is a hunter cell, "6" the wolf's target, "0" and "1" are the dark and light squares of
// the formation and are never compared with the Board.
struct WolfPattern {
  std::array<std::string_view, kMaxWolfPatternRows> rows{};  // rows 1 upward; the rest empty
  // A randomised entry: pattern row varying_row (counted from 1) reads rows[varying_row - 1]
  // when the number drawn is at most threshold, and second_variant otherwise.
  int varying_row = 0;
  std::string_view second_variant{};
  double threshold = 0.0;
  // Entries with fewer than four hunter cells fit only with the wolf on this pattern cell
  // (row, column); 0 when the entry fits by the general rule alone.
  int guard_row = 0;
  int guard_col = 0;

  int RowCount() const {
    int n = 0;
    while (n < kMaxWolfPatternRows && !rows[static_cast<std::size_t>(n)].empty())
      ++n;
    return n;
  }
  bool Randomised() const { return varying_row != 0; }
  // Pattern row k (from 1) of the first (variant 0) or second (variant 1) variant.
  std::string_view Row(int k, int variant) const {
    if (variant == 1 && k == varying_row) return second_variant;
    return rows[static_cast<std::size_t>(k - 1)];
  }
};

// The book, in the order in which the entries are tried.
extern const std::array<WolfPattern, kWolfPatternCount> WolfPatterns;

}  // namespace vorlask
