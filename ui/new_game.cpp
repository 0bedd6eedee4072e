#include <array>
#include <cstdint>
#include <string>

#include "ui/form.h"

namespace vorlask {

bool TForm3::FormCreate() {
  const HandlerCheck check(*this);
  // The canvas draws UTF-8 text in a font that has the Cyrillic letters: the Russian result
  // line needs no character set of its own.
  CalibrationPending = 1;
  AnimWolf = 0;
  BoardOffsetX = layout::kBoardOriginX;
  BoardOffsetY = layout::kBoardOriginY;
  OptionBoxWidth = layout::kBoxWidth;
  OptionBoxHeight = layout::kBoxHeight;
  ModeOption = 2;
  StartOption = 1;

  if (!LoadBitmaps()) return false;

  TrackNumber = 1;
  NotifyArmed = 0;
  wolf0();
  return true;
}

bool TForm3::LoadBitmaps() {
  BitmapSet set = platform.StartupBitmaps();
  if (!set.problem.empty()) {
    platform.ShowError(set.problem);
    return false;
  }
  StartDirectory = set.folder;
  std::array<Image*, kBitmapFiles.size()> targets = {
      &BackgroundBitmap, &ChosenMark, &BlankMark, &StartBoxPressed, &RisingPatch, &FallingPatch};
  for (std::size_t i = 0; i < targets.size(); ++i)
    *targets[i] = std::move(set.images[i]);
  return true;
}

void TForm3::wolf0() {
  ++GamesStarted;
  GameMode = ModeOption == 1 ? mode::kTwoPeople : mode::kComputerHunters;
  if (ModeOption == 3) GameMode = mode::kComputerWolf;

  const int layout = StartOption == 1 ? 1 : 2;
  const TBoard start = StartBoard(layout);
  Board.Row(6) = start.Row(6);
  Board.Row(7) = start.Row(7);
  WolfRow = layout == 1 ? 7 : 6;
  WolfCol = layout == 1 ? 4 : 5;
  for (int r : {1, 2, 3, 4, 5, 8, 9, 10})
    Board.Row(r) = start.Row(r);

  GameActive = 1;
  FullRedraw = 0;
  CursorRow = 2;
  CursorCol = 2;
  TurnState = turn::kWolfToMove;
  if (GameMode == mode::kComputerWolf) TurnState = turn::kHuntersToMove;
  // Moved in from whole strings: assigning the texts directly makes GCC 12 warn of an
  // overlapping copy (-Wrestrict) that cannot happen.
  MessageLine1 = std::string(kNewGameLine1);
  MessageLine2 = std::string(kNewGameLine2);
  MessageLine3 = std::string(kNewGameLine3);
  Command = 0;
  MoveMade = 0;
  wolf1();
  if (MusicOn == 1) {
    MediaPlayer1.Close();
    wolf4();
    NotifyArmed = 0;
  }
  if (GameMode == mode::kComputerWolf) {
    TimerAction = timer_action::kOpeningMove;
    OpeningBoard = Board;
    Timer1.Enable();
  }
}

}  // namespace vorlask
