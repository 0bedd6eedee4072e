#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "game/rules.h"

namespace vorlask {

// A cell of a hunter formation: pattern row 1 lies on the lowest Board row that holds a hunter,
// pattern row 2 on the row above it; pattern column j lies on Board column j + 1 as written, or
// on column 10 - j when the formation is mirrored left to right.
using PatternCell = Place;

// One entry of the hunters' table. In the rows, "2" is a square a hunter must stand on, "6" a
// square on which the wolf makes the entry fit, "5" as the last character of row 1 marks the
// entry that fits with the wolf anywhere, and "0"/"1" only picture the empty dark and the light
// squares. In an any-wolf entry the "6" marks only show where the wolf may stand.
struct HunterPattern {
  std::array<std::string_view, 5> rows;  // pattern row 1 first; rows past the entry are empty
  PatternCell from;                      // the hunter that steps forward
  PatternCell to;                        // one pattern row further, one column aside

  int RowCount() const {
    int n = 0;
    while (n < 5 && !rows[static_cast<std::size_t>(n)].empty()) {
      ++n;
    }
    return n;
  }
  // The character at pattern cell (row, col), both counted from 1; '1' past the entry.
  char At(int row, int col) const {
    if (row < 1 || row > RowCount() || col < 1 || col > 8) return '1';
    return rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
  }
  bool AnyWolf() const { return rows[0][7] == '5'; }
};

inline constexpr std::size_t kHunterPatternCount = 35;

// The hunters' whole strategy, tried in this order, each entry as written before mirrored.
// Within a formation the entries naming wolf squares come before its any-wolf entry.
extern const std::array<HunterPattern, kHunterPatternCount> HunterPatterns;

}  // namespace vorlask
