#include "ui/spoken.h"

#include <optional>
#include <utility>

#include "game/codes.h"
#include "game/rules.h"
#include "ui/form.h"

namespace vorlask {

namespace {

bool IsWolf(char code) {
  return code == cell::kWolf || code == cell::kPickedWolf;
}
bool IsHunter(char code) {
  return code == cell::kHunter || code == cell::kPickedHunter;
}

// The hunters' turn or the wolf's, whether or not a piece is in the hand.
bool WolfsTurn(std::uint8_t turn_state) {
  return turn_state == turn::kWolfToMove || turn_state == turn::kWolfPickedUp;
}

// The one square where `was` held a piece of `is` kind and `now` does not, or where `now` holds
// one and `was` did not.
std::optional<Place> Left(const TBoard& was, const TBoard& now, bool (*is)(char)) {
  for (int row = 2; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      if (is(was.At(row, col)) && !is(now.At(row, col))) return Place{row, col};
    }
  }
  return std::nullopt;
}

// A piece of that kind that went from one square to another, as a sentence.
std::optional<std::string> Moved(const TBoard& was, const TBoard& now, bool (*is)(char),
                                 const char* piece) {
  const std::optional<Place> from = Left(was, now, is);
  const std::optional<Place> to = Left(now, was, is);
  if (!from || !to) return std::nullopt;
  return std::string(piece) + " from " + SquareName(from->row, from->col) + " to " +
         SquareName(to->row, to->col) + ".";
}

// Pieces picked up or put back where nothing moved: a piece put back is said before the one
// picked up instead.
void HandChanges(const TBoard& was, const TBoard& now, std::vector<std::string>& said) {
  std::vector<std::string> picked;
  for (int row = 2; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      const char before = was.At(row, col), after = now.At(row, col);
      const std::string square = SquareName(row, col);
      if (before == cell::kPickedHunter && after == cell::kHunter)
        said.push_back("Hunter put back on " + square + ".");
      if (before == cell::kHunter && after == cell::kPickedHunter)
        picked.push_back("Hunter picked up on " + square + ".");
      if (before == cell::kWolf && after == cell::kPickedWolf)
        picked.push_back("Wolf picked up on " + square + ".");
    }
  }
  said.insert(said.end(), picked.begin(), picked.end());
}

std::string NewGameWords(const TBoard& start, std::uint8_t game_mode) {
  static constexpr std::array<const char*, 3> kWho = {
      "two players, the wolf moves first",
      "you are the wolf, the computer plays the hunters, you move first",
      "you are the hunters, the computer plays the wolf and moves first"};
  std::string words = "New game: ";
  words += kWho[game_mode < kWho.size() ? game_mode : 0];
  for (int row = 2; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      if (IsWolf(start.At(row, col))) words += ". The wolf is on " + SquareName(row, col);
    }
  }
  return words + ".";
}

// A run of spaces as one, none before a stop, none at either end.
std::string Tidy(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    if ((c == '!' || c == '.') && !out.empty() && out.back() == ' ') out.pop_back();
    out += c;
  }
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

}  // namespace

std::string SquareName(int row, int col) {
  // Appended rather than joined with +: GCC 12 at -O3 warns falsely (-Wrestrict) on the join.
  std::string name(1, static_cast<char>('a' + col - 2));
  name += std::to_string(10 - row);
  return name;
}

std::string SquareWords(const TBoard& board, int row, int col) {
  const char code = board.At(row, col);
  const char* what = code == cell::kLight ? "light square" : "empty";
  if (code == cell::kHunter) what = "hunter";
  if (code == cell::kWolf) what = "wolf";
  if (code == cell::kPickedHunter) what = "hunter, picked up";
  if (code == cell::kPickedWolf) what = "wolf, picked up";
  return SquareName(row, col) + ", " + what;
}

Scene SceneOf(const TForm3& form) {
  Scene scene;
  scene.board = form.Board;
  scene.turn_state = form.TurnState;
  scene.game_mode = form.GameMode;
  scene.game_active = form.GameActive;
  scene.cursor_row = form.CursorRow;
  scene.cursor_col = form.CursorCol;
  scene.games = form.GamesStarted;
  scene.start_option = form.StartOption;
  scene.lines = {form.MessageLine1, form.MessageLine2, form.MessageLine3};
  return scene;
}

std::vector<std::string> Changes(const Scene& before, const Scene& after) {
  std::vector<std::string> said;
  const bool new_game = after.games != before.games;
  // A new game is told from its start, and the moves since: the computer wolf's opening move
  // may follow at once.
  const TBoard was = new_game ? StartBoard(after.start_option == 1 ? 1 : 2) : before.board;
  if (new_game) said.push_back(NewGameWords(was, after.game_mode));
  // The person's move comes first, then the computer's reply: the computer plays the hunters
  // in game mode 1 and the wolf in game mode 2.
  const std::optional<std::string> wolf = Moved(was, after.board, &IsWolf, "Wolf");
  const std::optional<std::string> hunter = Moved(was, after.board, &IsHunter, "Hunter");
  const bool hunter_first = after.game_mode == mode::kComputerWolf;
  if (hunter_first && hunter) said.push_back(*hunter);
  if (wolf) said.push_back(*wolf);
  if (!hunter_first && hunter) said.push_back(*hunter);
  if (!wolf && !hunter) HandChanges(was, after.board, said);
  // Whose turn it is, after every move and new game: a reply may hand the turn straight back.
  const bool turn_changed = WolfsTurn(before.turn_state) != WolfsTurn(after.turn_state);
  if (after.game_active == 1 && (turn_changed || wolf || hunter || new_game)) {
    said.push_back(WolfsTurn(after.turn_state) ? "The wolf to move." : "The hunters to move.");
  }
  return said;
}

std::array<std::string, 2> ResultWords(const std::array<std::string, 3>& lines) {
  return {Tidy(lines[0]), Tidy(lines[1] + " " + lines[2])};
}

}  // namespace vorlask
