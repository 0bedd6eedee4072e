#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/board.h"

namespace vorlask {

class TForm3;

// The game in words, for a player who does not see the board: each square by its name and what
// stands on it, and each change told as it happens. A page or a screen reader says these; the
// words are the game's, the same wherever they are said.

// A square as players write it: its column, a to h from the left, and its row, 1 to 8 up from
// the hunters' home row. The wolf starts on c3 or d4.
std::string SquareName(int row, int col);
// A square and what stands on it: "c3, wolf", "e1, hunter", "d4, empty", "a2, light square".
std::string SquareWords(const TBoard& board, int row, int col);

// What a player hears about: the position, whose turn, the cursor, the game's number and result.
struct Scene {
  TBoard board;
  std::uint8_t turn_state = 0;
  std::uint8_t game_mode = 0;
  std::uint8_t game_active = 0;
  std::uint8_t cursor_row = 0;
  std::uint8_t cursor_col = 0;
  std::uint32_t games = 0;        // new games started so far, restarts included
  std::uint8_t start_option = 1;  // the layout the latest game started from
  std::array<std::string, 3> lines;
  friend bool operator==(const Scene&, const Scene&) = default;
};
Scene SceneOf(const TForm3& form);

// What changed from one scene to the next, in sentences, in the order a player would have seen
// it: a new game, the moves (the person's before the computer's reply), pieces picked up or put
// back, whose turn it is. Nothing when nothing a player would notice changed; the cursor's moves
// are told by where the focus goes. The result is told apart (ResultWords).
std::vector<std::string> Changes(const Scene& before, const Scene& after);

// The result lines of a finished game as one sentence in each language, the Russian first,
// their spaces and the space before each stop taken out: {"Волк пойман!", "The wolf is caught!"}.
std::array<std::string, 2> ResultWords(const std::array<std::string, 3>& lines);

}  // namespace vorlask
