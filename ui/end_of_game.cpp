#include "game/rules.h"
#include "ui/form.h"

namespace vorlask {

void TForm3::wolf2a() {
  const EndTest end = TestEnd(Board, WolfRow, WolfCol);
  if (end.ending == Ending::kCaught) {
    MessageLine1 = kCaughtLine1;
    MessageLine2 = kCaughtLine2;
    MessageLine3 = kCaughtLine3;
    GameActive = 0;
    return;
  }
  if (end.ending == Ending::kFree) {
    MessageLine1 = kFreeLine1;
    MessageLine2 = kFreeLine2;
    MessageLine3 = kFreeLine3;
    GameActive = 0;
  }
  if (GameActive != 1) return;

  // A person holding the wolf keeps the turn even when the hunters could not move.
  if (end.hunters_pass && TurnState != turn::kWolfPickedUp) TurnState = turn::kWolfToMove;
}

}  // namespace vorlask
