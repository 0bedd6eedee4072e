#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "game/board.h"
#include "support/fake_platform.h"
#include "support/picture_compare.h"
#include "ui/form.h"

namespace vorlask::testing {

// A game driven only through the window's handlers, with the Board's invariant checked after
// every handler, so that a scenario fails at the first input that corrupts the position.
struct CheckedGame : Game {
  using Game::Game;

  void Key(std::uint16_t key) {
    form.FormKeyDown(key);
    Check("key " + std::to_string(key));
  }
  void Keys(std::initializer_list<std::uint16_t> keys) {
    for (std::uint16_t k : keys)
      Key(k);
  }
  void Release(MouseButton button, int x, int y) {
    form.FormMouseUp(button, x, y);
    Check("release at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
  }
  void Click(int x, int y) { Release(MouseButton::kLeft, x, y); }
  // A left click at the centre of a square.
  void ClickAt(int row, int col) { Click(TForm3::SquareX(col) + 26, TForm3::SquareY(row) + 26); }
  // Moves the cursor to a square with the arrow keys; gives up when the keys have no effect.
  void CursorTo(int row, int col) {
    for (int i = 0; i < 16 && (form.CursorRow != row || form.CursorCol != col); ++i) {
      if (form.CursorRow > row)
        Key(vk::kUp);
      else if (form.CursorRow < row)
        Key(vk::kDown);
      else if (form.CursorCol > col)
        Key(vk::kLeft);
      else
        Key(vk::kRight);
    }
  }
  // Moves the cursor with the keys and presses Enter there.
  void EnterAt(int row, int col) {
    CursorTo(row, col);
    Key(vk::kEnter);
  }
  bool Timer() {
    const bool fired = FireTimer();
    Check("timer");
    return fired;
  }

  // Whether every opaque pixel of the image stands at (x, y) in the picture.
  bool Shows(const Image& image, int x, int y) const {
    return testing::Shows(platform.canvas->Picture(), x, y, image);
  }
  bool ShowsTile(int index, int row, int col) const {
    return Shows(form.ImageList1[static_cast<std::size_t>(index)], TForm3::SquareX(col),
                 TForm3::SquareY(row));
  }

  void Check(const std::string& after) {
    const std::string problem = CheckBoard(form.Board);
    if (!problem.empty()) ADD_FAILURE() << "after " << after << ": " << problem;
  }
};

// A fresh two-player game: T before any move restarts the game at once with two players.
inline void StartTwoPlayers(CheckedGame& g) {
  g.Key(vk::kT);
  ASSERT_EQ(g.form.GameMode, 0);
}

}  // namespace vorlask::testing
