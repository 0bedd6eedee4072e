#include <cstdio>
#include <cstdlib>

#include "game/state.h"

namespace vorlask {

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

}  // namespace vorlask
