#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "game/board.h"
#include "game/state.h"
#include "support/fake_platform.h"

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
  // Moves the cursor to a square with the arrow keys.
  void CursorTo(int row, int col) {
    while (form.CursorRow > row)
      Key(vk::kUp);
    while (form.CursorRow < row)
      Key(vk::kDown);
    while (form.CursorCol > col)
      Key(vk::kLeft);
    while (form.CursorCol < col)
      Key(vk::kRight);
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
