#pragma once

#include <array>
#include <string>

#include "game/codes.h"

namespace vorlask {

// The position: ten rows of ten cell codes, rows and columns counted from 1. Rows 1 and 10
// and columns 1 and 10 are the border ("9"); rows 2..9 and columns 2..9 are the field.
class TBoard {
 public:
  TBoard();

  static bool InRange(int row, int col) { return row >= 1 && row <= 10 && col >= 1 && col <= 10; }

  std::string& Row(int row) { return rows_[static_cast<std::size_t>(row - 1)]; }
  const std::string& Row(int row) const { return rows_[static_cast<std::size_t>(row - 1)]; }

  // Outside the ten rows and columns every square reads as border, so a neighbour test at the
  // edge of the field can never find an empty square there.
  char At(int row, int col) const {
    return InRange(row, col) ? Row(row)[static_cast<std::size_t>(col - 1)] : cell::kBorder;
  }
  void Set(int row, int col, char code) {
    if (InRange(row, col)) Row(row)[static_cast<std::size_t>(col - 1)] = code;
  }

  friend bool operator==(const TBoard&, const TBoard&) = default;

 private:
  std::array<std::string, 10> rows_;
};

// First position (1..10) of code in a row's text, 0 if none.
inline int FirstAt(const std::string& row, char code) {
  for (std::size_t i = 0; i < row.size() && i < 10; ++i) {
    if (row[i] == code) return static_cast<int>(i) + 1;
  }
  return 0;
}

// A square is dark, and so can hold a piece, when its row and column add up to an odd number.
inline bool IsDarkSquare(int row, int col) {
  return (row + col) % 2 == 1;
}

// Checks what must hold after every change to the Board: ten rows of ten characters, the
// border intact, only the codes 0 1 2 3 4 5 on the field with 1 exactly on the light squares,
// four hunters ("2" and "4", at most one "4"), one wolf ("3" or "5"), never "4" and "5" at
// once. Returns an empty text when all holds, otherwise what is wrong.
std::string CheckBoard(const TBoard& board);

}  // namespace vorlask
