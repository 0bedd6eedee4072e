#include "ai/wolf.h"

#include <cstdint>
#include <utility>

#include "ai/hunters.h"
#include "ai/wolf_patterns.h"

namespace vorlask {

namespace {

// What reading one orientation of a book entry found on the Board.
struct EntryReading {
  int hunter_hits = 0;
  int target_row = 0;  // pattern cell of the target next to the wolf; 0 when none was found
  int target_col = 0;
  bool wolf_on_guard = false;
};

// Reads one orientation of a book entry against the view.
EntryReading ReadEntry(const WolfPattern& entry, int variant, const HunterView& view, int gap,
                       bool mirrored) {
  const int rows = entry.RowCount();
  const auto entry_code = [&](int k, int j) {
    return entry.Row(k, variant)[static_cast<std::size_t>(j - 1)];
  };
  // The code under pattern cell (k, j); rows beyond the field are never asked for.
  const auto square = [&](int k, int j) {
    const std::string& row = view[static_cast<std::size_t>(k + gap)];
    return row[static_cast<std::size_t>(mirrored ? 8 - j : j - 1)];
  };
  EntryReading a;
  for (int k = 1; k <= rows && 10 - k - gap >= 2; ++k) {
    for (int j = 1; j <= 8; ++j) {
      const char code = square(k, j);
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
  return a;
}

// The wolf's first choice, from its book: the square it moves to. Nothing when no entry fits,
// or when the entry that fits points beyond the top of the field.
std::optional<Place> BookMove(const TBoard& board, const HunterView& view, int gap,
                              const std::function<double()>& draw) {
  for (const WolfPattern& entry : WolfPatterns) {
    // One draw per entry reached, shared by both orientations.
    int variant = 0;
    if (entry.Randomised()) variant = draw() <= entry.threshold ? 0 : 1;
    for (const bool mirrored : {false, true}) {
      const EntryReading a = ReadEntry(entry, variant, view, gap, mirrored);
      if (a.target_row == 0) continue;
      const Place target{10 - a.target_row - gap, mirrored ? 10 - a.target_col : a.target_col + 1};
      const bool general = a.hunter_hits == 4;
      // Entries that know only part of the formation need the wolf on their guard cell and an
      // empty target, which the general rule gets from all four hunters standing in place.
      const bool special = entry.guard_row != 0 && a.wolf_on_guard && a.hunter_hits >= 2 &&
                           board.At(target.row, target.col) == cell::kEmpty;
      if (!general && !special) continue;
      // A target beyond the top of the field ends the search: the book has no move here.
      if (target.row <= 1) return std::nullopt;
      return target;
    }
  }
  return std::nullopt;
}

// The wolf's square: the lowest Board row that holds a wolf not in the hand, and its first one.
std::optional<Place> FindWolf(const TBoard& board) {
  for (int row = 9; row >= 2; --row) {
    if (const int col = FirstAt(board.Row(row), cell::kWolf); col != 0) return Place{row, col};
  }
  return std::nullopt;
}

// The wolf's second choice: a neighbour of the found square from which a path of empty squares,
// always downward, left before right, reaches the hunters' home row.
std::optional<Place> BreakthroughMove(const TBoard& board, int found_row, int found_col) {
  for (const auto& [first_row, first_col] : {std::pair{found_row + 1, found_col - 1},
                                             {found_row + 1, found_col + 1},
                                             {found_row - 1, found_col - 1},
                                             {found_row - 1, found_col + 1}}) {
    if (board.At(first_row, first_col) != cell::kEmpty) continue;
    // Down towards the hunters' home row, left before right; a blocked path is given up, not
    // retried through the other branch.
    int row = first_row, col = first_col;
    while (row != 9) {
      if (board.At(row + 1, col - 1) == cell::kEmpty) {
        col -= 1;
      } else if (board.At(row + 1, col + 1) == cell::kEmpty) {
        col += 1;
      } else {
        break;
      }
      row += 1;
    }
    if (row == 9) return Place{first_row, first_col};
  }
  return std::nullopt;
}

// The last choice: one step from the found square towards the middle of the board, downward
// first.
std::optional<Place> FallbackMove(const TBoard& board, int found_row, int found_col) {
  // Columns 2 to 4 lie left of the middle; column 5 already counts as the right half and so
  // prefers the left.
  const int preferred = found_col < 4.5 ? found_col + 1 : found_col - 1;
  const int other = found_col < 4.5 ? found_col - 1 : found_col + 1;
  for (const auto& [row, col] : {std::pair{found_row + 1, preferred},
                                 {found_row + 1, other},
                                 {found_row - 1, preferred},
                                 {found_row - 1, other}}) {
    if (board.At(row, col) == cell::kEmpty) return Place{row, col};
  }
  return std::nullopt;
}

}  // namespace

std::optional<WolfChoice> ChooseWolfMove(const TBoard& board, int wolf_row, int wolf_col,
                                         const std::function<double()>& draw, WolfStage first,
                                         WolfStage last) {
  const auto runs = [&](WolfStage stage) { return first <= stage && stage <= last; };
  const Place wolf{wolf_row, wolf_col};
  if (runs(WolfStage::kBook)) {
    HunterView view;
    std::uint8_t gap = 0;
    SeeAsHunters(board, view, gap);
    if (const auto to = BookMove(board, view, gap, draw))
      return WolfChoice{WolfStage::kBook, {}, wolf, *to};
  }
  if (!runs(WolfStage::kBreakthrough) && !runs(WolfStage::kFallback)) return std::nullopt;
  // Without a wolf on the Board there is no square to start from; the later stages would read
  // and write the border.
  const std::optional<Place> found = FindWolf(board);
  if (!found) return std::nullopt;
  if (runs(WolfStage::kBreakthrough)) {
    if (const auto to = BreakthroughMove(board, found->row, found->col))
      return WolfChoice{WolfStage::kBreakthrough, *found, wolf, *to};
  }
  if (!runs(WolfStage::kFallback)) return std::nullopt;
  const std::optional<Place> to = FallbackMove(board, found->row, found->col);
  return WolfChoice{WolfStage::kFallback, *found, *found, to.value_or(*found)};
}

}  // namespace vorlask
