#include "ai/hunters.h"

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

namespace {

std::optional<HunterMove> FindHunterMove(const HunterView& hunter_view, int hunter_gap) {
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

}  // namespace

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

}  // namespace vorlask
