#pragma once

#include <string>
#include <utility>
#include <vector>

#include "game/board.h"
#include "support/board_text.h"
#include "ui/form.h"

namespace vorlask::testing {

// An empty field with the given hunters and the wolf; WolfRow and WolfCol follow the Board.
inline void SetPosition(TForm3& form, const std::vector<Square>& hunters, Square wolf) {
  for (int r = 2; r <= 9; ++r) {
    for (int c = 2; c <= 9; ++c)
      form.Board.Set(r, c, IsDarkSquare(r, c) ? '0' : '1');
  }
  for (const auto& [r, c] : hunters)
    form.Board.Set(r, c, '2');
  form.Board.Set(wolf.first, wolf.second, '3');
  form.WolfRow = static_cast<std::uint8_t>(wolf.first);
  form.WolfCol = static_cast<std::uint8_t>(wolf.second);
}

inline Square WolfSquare(const TForm3& form) {
  return {form.WolfRow, form.WolfCol};
}

}  // namespace vorlask::testing
