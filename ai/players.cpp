#include "ai/players.h"

#include <utility>

#include "ai/wolf_patterns.h"

namespace vorlask {

void SeeAsHunters(const TBoard& board, HunterView& view, std::uint8_t& gap) {
  for (std::string& row : view)
    row.clear();
  for (int i = 1; i <= 8; ++i)
    view[static_cast<std::size_t>(i)] = board.Row(10 - i).substr(1, 8);
  gap = 0;
  while (gap < 8 && FirstAt(board.Row(9 - gap), cell::kHunter) == 0)
    ++gap;
}

std::optional<HunterMove> FindHunterMove(const std::array<std::string, 11>& hunter_view,
                                         int hunter_gap) {
  // The square under pattern cell (k, j); rows past the top of the field hold no piece.
  const auto square = [&](int k, int j, bool mirrored) -> char {
    const int i = k + hunter_gap;
    if (i < 1 || i > 8 || j < 1 || j > 8) return cell::kBorder;
    const std::string& row = hunter_view[static_cast<std::size_t>(i)];
    const auto col = static_cast<std::size_t>(mirrored ? 9 - j : j);
    return col <= row.size() ? row[col - 1] : cell::kBorder;
  };

  // One attempt: the four hunters stand exactly on the entry's "2" squares (a hunter missing
  // from one of them ends the attempt), and the wolf on one of its "6" squares unless the entry
  // fits with the wolf anywhere.
  const auto fits = [&](const HunterPattern& pattern, bool mirrored) {
    int hunter_hits = 0;
    bool wolf_hit = false;
    for (int k = 1; k <= pattern.RowCount(); ++k) {
      for (int j = 1; j <= 8; ++j) {
        const char code = pattern.At(k, j);
        if (code == cell::kHunter) {
          if (square(k, j, mirrored) != cell::kHunter) return false;
          ++hunter_hits;
        } else if (code == cell::kMarked && square(k, j, mirrored) == cell::kWolf) {
          wolf_hit = true;
        }
      }
    }
    return hunter_hits == 4 && (wolf_hit || pattern.AnyWolf());
  };

  for (std::size_t e = 0; e < HunterPatterns.size(); ++e) {
    const HunterPattern& pattern = HunterPatterns[e];
    for (const bool mirrored : {false, true}) {
      if (!fits(pattern, mirrored)) continue;
      // Played from a start layout the target is always empty. On any other Board an entry
      // that would send a hunter onto a piece or off the field does not fit, and the search
      // goes on, so that the hunters never break the rules of movement.
      if (square(pattern.to.row, pattern.to.col, mirrored) != cell::kEmpty) continue;

      HunterMove move;
      move.entry = static_cast<int>(e) + 1;
      move.mirrored = mirrored;
      move.from_row = 10 - hunter_gap - pattern.from.row;
      move.from_col = mirrored ? 10 - pattern.from.col : pattern.from.col + 1;
      move.to_row = 10 - hunter_gap - pattern.to.row;
      move.to_col = mirrored ? 10 - pattern.to.col : pattern.to.col + 1;
      return move;
    }
  }
  return std::nullopt;
}

std::optional<HunterMove> ChooseHunterMove(const TBoard& board) {
  HunterView view;
  std::uint8_t gap = 0;
  SeeAsHunters(board, view, gap);
  return FindHunterMove(view, gap);
}

void MakeHunterMove(TBoard& board, const HunterMove& move) {
  board.Set(move.to_row, move.to_col, cell::kHunter);
  board.Set(move.from_row, move.from_col, cell::kEmpty);
}

namespace {

// What one attempt of a book entry found on the Board.
struct Attempt {
  int hunter_hits = 0;
  int target_row = 0;  // pattern cell of the target next to the wolf; 0 when none was found
  int target_col = 0;
  bool wolf_on_guard = false;
};

// Reads one orientation of a book entry against the view.
Attempt Try(const WolfPattern& entry, int variant, const HunterView& view, int gap, bool mirrored) {
  const int rows = entry.RowCount();
  const auto entry_code = [&](int k, int j) {
    return entry.Row(k, variant)[static_cast<std::size_t>(j - 1)];
  };
  // The code under pattern cell (k, j); rows beyond the field are never asked for.
  const auto square = [&](int k, int j) {
    const std::string& row = view[static_cast<std::size_t>(k + gap)];
    return row[static_cast<std::size_t>(mirrored ? 8 - j : j - 1)];
  };
  Attempt a;
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

}  // namespace

std::optional<Place> BookMove(const TBoard& board, const HunterView& view, int gap,
                              const std::function<double()>& draw) {
  for (const WolfPattern& entry : WolfPatterns) {
    // One draw per entry reached, shared by both orientations.
    int variant = 0;
    if (entry.Randomised()) variant = draw() <= entry.threshold ? 0 : 1;
    for (const bool mirrored : {false, true}) {
      const Attempt a = Try(entry, variant, view, gap, mirrored);
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

bool FindWolf(const TBoard& board, std::uint8_t& row, std::uint8_t& col) {
  for (int r = 9; r >= 2; --r) {
    const int c = FirstAt(board.Row(r), cell::kWolf);
    if (c != 0) {
      row = static_cast<std::uint8_t>(r);
      col = static_cast<std::uint8_t>(c);
      return true;
    }
  }
  return false;
}

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

std::optional<WolfChoice> ChooseWolfMove(const TBoard& board, int wolf_row, int wolf_col,
                                         const std::function<double()>& draw) {
  HunterView view;
  std::uint8_t gap = 0;
  SeeAsHunters(board, view, gap);
  const Place wolf{wolf_row, wolf_col};
  if (const auto to = BookMove(board, view, gap, draw))
    return WolfChoice{WolfStage::kBook, wolf, *to};
  std::uint8_t row = 0, col = 0;
  if (!FindWolf(board, row, col)) return std::nullopt;
  if (const auto to = BreakthroughMove(board, row, col))
    return WolfChoice{WolfStage::kBreakthrough, wolf, *to};
  if (const auto to = FallbackMove(board, row, col))
    return WolfChoice{WolfStage::kFallback, {row, col}, *to};
  return std::nullopt;
}

}  // namespace vorlask
