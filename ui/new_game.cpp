#include <array>
#include <cstdint>
#include <string>

#include "ui/form.h"

namespace vorlask {

namespace {

constexpr std::array<const char*, 10> kLayoutRows = {
    "9999999999", "9101010109", "9010101019", "9101010109", "9010101019",
    "9101010109", "9010101019", "9101010109", "9212121219", "9999999999"};
// Rows 6 and 7 of the two start layouts: the wolf at (7, 4) or at (6, 5).
constexpr std::array<std::array<const char*, 2>, 2> kWolfRows = {
    {{"9101010109", "9013101019"}, {"9101310109", "9010101019"}}};

}  // namespace

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
  GameMode = ModeOption == 1 ? mode::kTwoPeople : mode::kComputerHunters;
  if (ModeOption == 3) GameMode = mode::kComputerWolf;

  const std::size_t layout = StartOption == 1 ? 0 : 1;
  Board.Row(6) = kWolfRows[layout][0];
  Board.Row(7) = kWolfRows[layout][1];
  WolfRow = layout == 0 ? 7 : 6;
  WolfCol = layout == 0 ? 4 : 5;
  for (int r : {1, 2, 3, 4, 5, 8, 9, 10})
    Board.Row(r) = kLayoutRows[static_cast<std::size_t>(r - 1)];

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
