#include "game/board.h"

namespace vorlask {

TBoard::TBoard() { rows_.fill(std::string(10, '9')); }

std::string CheckBoard(const TBoard& board) {
  int hunters = 0, picked_hunters = 0, wolves = 0, picked_wolves = 0;
  for (int r = 1; r <= 10; ++r) {
    if (board.Row(r).size() != 10) return "row " + std::to_string(r) + " is not ten characters";
    for (int c = 1; c <= 10; ++c) {
      const char code = board.At(r, c);
      const std::string where = "(" + std::to_string(r) + ", " + std::to_string(c) + ")";
      if (r == 1 || r == 10 || c == 1 || c == 10) {
        if (code != '9') return "border square " + where + " holds '" + code + "'";
        continue;
      }
      if (!IsDarkSquare(r, c)) {
        if (code != '1') return "light square " + where + " holds '" + code + "'";
        continue;
      }
      switch (code) {
        case '0': break;
        case '2': ++hunters; break;
        case '4': ++hunters; ++picked_hunters; break;
        case '3': ++wolves; break;
        case '5': ++wolves; ++picked_wolves; break;
        default: return "dark square " + where + " holds '" + code + "'";
      }
    }
  }
  if (hunters != 4) return std::to_string(hunters) + " hunters on the board";
  if (wolves != 1) return std::to_string(wolves) + " wolves on the board";
  if (picked_hunters > 1) return "more than one hunter picked up";
  if (picked_hunters > 0 && picked_wolves > 0) return "a hunter and the wolf picked up at once";
  return {};
}

}  // namespace vorlask
