#include "game/state.h"

namespace vorlask {

void TForm3::MoveInput() {}

int TForm3::f_at(const std::string& row, char ch) {
  for (std::size_t i = 0; i < row.size() && i < 10; ++i) {
    if (row[i] == ch) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace vorlask
