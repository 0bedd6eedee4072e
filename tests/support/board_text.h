#pragma once

#include <string>
#include <utility>

#include "game/board.h"

namespace vorlask::testing {

using Square = std::pair<int, int>;  // (row, column) of the Board

// The field as one text of 64 codes, rows 2 to 9: a position's key in the walks.
inline std::string Key(const TBoard& board) {
  std::string key;
  for (int r = 2; r <= 9; ++r)
    key += board.Row(r).substr(1, 8);
  return key;
}

// The field drawn as eight indented lines, for failure messages.
inline std::string Picture(const TBoard& board) {
  std::string text;
  for (int r = 2; r <= 9; ++r)
    text += "  " + board.Row(r).substr(1, 8) + "\n";
  return text;
}

// The square of the wolf that is not picked up, or (0, 0).
inline Square WolfOf(const TBoard& board) {
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c) {
      if (board.At(r, c) == '3') return {r, c};
    }
  }
  return {0, 0};
}

}  // namespace vorlask::testing
