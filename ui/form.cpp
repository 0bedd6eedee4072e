#include <cstdio>
#include <cstdlib>

#include "ui/form.h"
#include "ui/tiles.h"

namespace vorlask {

// The tile set is drawn, not loaded, so the form has its pictures from the moment it exists.
TForm3::TForm3(Platform& p)
    : platform(p),
      canvas(p.GetCanvas()),
      ImageList1(MakeTileSet()),
      Timer1(p.GetTimer()),
      MediaPlayer1(p.GetMediaPlayer()) {}

// Debug and sanitizer builds check the Board after every handler, so that every test and the
// soak catch a broken position at the event that broke it, not moves later. Release builds
// leave the check out: a handler runs at every key press and animation frame.
TForm3::HandlerCheck::~HandlerCheck() {
#ifdef VORLASK_CHECK_INVARIANTS
  // Before the first game (or after a failed start) the Board is all border; there is no
  // position to check yet.
  if (form_.Board == TBoard()) return;
  const std::string problem = CheckBoard(form_.Board);
  if (problem.empty()) return;
  std::fprintf(stderr, "vorlask: the Board broke its rules in a handler: %s\n", problem.c_str());
  for (int r = 1; r <= 10; ++r)
    std::fprintf(stderr, "  %s\n", form_.Board.Row(r).c_str());
  std::abort();
#endif
}

Position TForm3::CurrentPosition() const {
  return {Board, TurnState, WolfRow, WolfCol, MoveMade};
}

void TForm3::Adopt(const Position& position) {
  Board = position.board;
  TurnState = position.turn_state;
  WolfRow = position.wolf_row;
  WolfCol = position.wolf_col;
  MoveMade = position.move_made;
}

void TForm3::NoteCursorCell() {
  CursorCellCode = Board.At(CursorRow, CursorCol);
}

int TForm3::f_at(const std::string& row, char ch) {
  return FirstAt(row, ch);
}

}  // namespace vorlask
