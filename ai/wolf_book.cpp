#include "ai/wolf_patterns.h"
#include "game/state.h"

namespace vorlask {

namespace {

// What one attempt of a book entry found on the Board.
struct Attempt {
  int hunter_hits = 0;
  int target_row = 0;  // pattern cell of the target next to the wolf; 0 when none was found
  int target_col = 0;
  bool wolf_on_guard = false;
};

}  // namespace

void TForm3::wolfc() {
  WolfMoved = 0;

  // The field as the hunters see it from their home row: entry i is Board row 10 - i, so the
  // entries above 8 stand for rows beyond the field and stay empty.
  for (std::string& row : HunterView)
    row.clear();
  for (int i = 1; i <= 8; ++i)
    HunterView[static_cast<std::size_t>(i)] = Board.Row(10 - i).substr(1, 8);
  HunterGap = 0;
  while (HunterGap < 8 && f_at(Board.Row(9 - HunterGap), cell::kHunter) == 0)
    ++HunterGap;

  // The code under pattern cell (k, j); rows beyond the field are never asked for.
  auto square = [this](int k, int j, bool mirrored) {
    const std::string& row = HunterView[static_cast<std::size_t>(k + HunterGap)];
    return row[static_cast<std::size_t>(mirrored ? 8 - j : j - 1)];
  };

  for (const WolfPattern& entry : WolfPatterns) {
    // One draw per entry reached, shared by both orientations.
    int variant = 0;
    if (entry.Randomised()) variant = platform.RandomUniform() <= entry.threshold ? 0 : 1;
    const int rows = entry.RowCount();
    auto entry_code = [&](int k, int j) {
      return entry.Row(k, variant)[static_cast<std::size_t>(j - 1)];
    };

    for (const bool mirrored : {false, true}) {
      Attempt a;
      for (int k = 1; k <= rows && 10 - k - HunterGap >= 2; ++k) {
        for (int j = 1; j <= 8; ++j) {
          const char code = square(k, j, mirrored);
          if (code == cell::kWolf) {
            if (k == entry.guard_row && j == entry.guard_col) a.wolf_on_guard = true;
            for (const auto& [dk, dj] : {std::pair{-1, -1}, {-1, 1}, {1, -1}, {1, 1}}) {
              const int tk = k + dk, tj = j + dj;
              if (tk < 1 || tk > rows || tj < 1 || tj > 8) continue;
              if (entry_code(tk, tj) == cell::kMarked) {
                a.target_row = tk;
                a.target_col = tj;
              }
            }
          } else if (code == cell::kHunter && entry_code(k, j) == cell::kHunter) {
            ++a.hunter_hits;
          }
        }
      }
      if (a.target_row == 0) continue;

      const int target_row = 10 - a.target_row - HunterGap;
      const int target_col = mirrored ? 10 - a.target_col : a.target_col + 1;
      const bool general = a.hunter_hits == 4;
      // Entries that know only part of the formation need the wolf on their guard cell and an
      // empty target, which the general rule gets from all four hunters standing in place.
      const bool special = entry.guard_row != 0 && a.wolf_on_guard && a.hunter_hits >= 2 &&
                           Board.At(target_row, target_col) == cell::kEmpty;
      if (!general && !special) continue;

      // A target beyond the top of the field ends the search: the book has no move here.
      if (target_row <= 1) return;

      AnimFromCol = WolfCol;
      AnimFromRow = WolfRow;
      WolfMoved = 1;
      Board.Set(target_row, target_col, cell::kWolf);
      Board.Set(WolfRow, WolfCol, cell::kEmpty);
      WolfCol = static_cast<std::uint8_t>(target_col);
      WolfRow = static_cast<std::uint8_t>(target_row);
      AnimToCol = WolfCol;
      AnimToRow = WolfRow;
      if (AnimateMoves == 1) {
        AnimateWolf();
      }
      RedrawBoard();
      return;
    }
  }
}

}  // namespace vorlask
