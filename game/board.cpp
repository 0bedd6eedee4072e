#include "game/board.h"

namespace vorlask {

TBoard::TBoard() {
  rows_.fill(std::string(10, cell::kBorder));
}

namespace {

// "(row, column)", built by appending: GCC 12 takes a text prepended to a temporary string for
// an overlapping copy and warns about it (-Wrestrict) in optimised builds.
std::string SquareName(int row, int col) {
  std::string name = "(";
  name += std::to_string(row);
  name += ", ";
  name += std::to_string(col);
  name += ')';
  return name;
}

}  // namespace

std::string CheckBoard(const TBoard& board) {
  int hunters = 0, picked_hunters = 0, wolves = 0, picked_wolves = 0;
  for (int r = 1; r <= 10; ++r) {
    if (board.Row(r).size() != 10) return "row " + std::to_string(r) + " is not ten characters";
    for (int c = 1; c <= 10; ++c) {
      const char code = board.At(r, c);
      if (r == 1 || r == 10 || c == 1 || c == 10) {
        if (code != cell::kBorder)
          return std::string("border square ") + SquareName(r, c) + " holds '" + code + "'";
        continue;
      }
      if (!IsDarkSquare(r, c)) {
        if (code != cell::kLight)
          return std::string("light square ") + SquareName(r, c) + " holds '" + code + "'";
        continue;
      }
      if (code == cell::kHunter || code == cell::kPickedHunter) {
        ++hunters;
      } else if (code == cell::kWolf || code == cell::kPickedWolf) {
        ++wolves;
      } else if (code != cell::kEmpty) {
        return std::string("dark square ") + SquareName(r, c) + " holds '" + code + "'";
      }
      picked_hunters += code == cell::kPickedHunter;
      picked_wolves += code == cell::kPickedWolf;
    }
  }
  if (hunters != 4) return std::to_string(hunters) + " hunters on the board";
  if (wolves != 1) return std::to_string(wolves) + " wolves on the board";
  if (picked_hunters > 1) return "more than one hunter picked up";
  if (picked_hunters > 0 && picked_wolves > 0) return "a hunter and the wolf picked up at once";
  return {};
}

}  // namespace vorlask
