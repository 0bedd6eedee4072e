#include <array>
#include <cstdint>
#include <string>

#include "game/state.h"

namespace vorlask {

namespace {

constexpr std::array<const char*, 10> kLayoutRows = {
    "9999999999", "9101010109", "9010101019", "9101010109", "9010101019",
    "9101010109", "9010101019", "9101010109", "9212121219", "9999999999"};
// Rows 6 and 7 of the two start layouts: the wolf at (7, 4) or at (6, 5).
constexpr std::array<std::array<const char*, 2>, 2> kWolfRows = {
    {{"9101010109", "9013101019"}, {"9101310109", "9010101019"}}};

// A file in a folder, written as the folder's own path joins it.
std::string DataPath(const std::string& folder, const char* file) {
  if (folder.empty()) return file;
  return folder.back() == '/' ? folder + file : folder + "/" + file;
}

// The text of a failed load of a data file: what is wrong with it.
std::string FailureText(FileResult result, const std::string& path, const std::string& error) {
  switch (result) {
    case FileResult::kLoaded:
      break;
    case FileResult::kMissing:
      return " (" + path + ") is missing.";
    case FileResult::kDamaged:
      return " (" + path + ") is damaged: " + error + ".";
    case FileResult::kUnreadable:
      return " (" + path + ") cannot be read: " + error + ".";
    case FileResult::kNotAFile:
      return " (" + path + ") is not a file: " + error + ".";
    case FileResult::kFolderUnreadable:
      return " (" + path + ") cannot be read, because its folder cannot be read: " + error + ".";
  }
  return {};
}

}  // namespace

// Larger pictures are refused by the reader already; this bound only completes the table.
std::string BitmapSizeProblem(std::size_t index, std::int64_t width, std::int64_t height) {
  constexpr std::int64_t kMaxSide = 4096;
  struct Need {
    std::int64_t min_w, min_h, max_w, max_h;
  };
  // Background, chosen mark, blank mark, pressed start box, the two patches.
  constexpr std::array<Need, 6> kNeeds = {{{596, 446, kMaxSide, kMaxSide},
                                           {1, 1, 131, 21},
                                           {1, 1, 131, 21},
                                           {122, 34, kMaxSide, kMaxSide},
                                           {107, 107, kMaxSide, kMaxSide},
                                           {107, 107, kMaxSide, kMaxSide}}};
  const Need& n = kNeeds.at(index);
  if (width < n.min_w || height < n.min_h || width > n.max_w || height > n.max_h) {
    return "it is " + std::to_string(width) + " by " + std::to_string(height) +
           " pixels, which does not fit its place in the window";
  }
  return {};
}

bool TForm3::FormCreate() {
  const HandlerCheck check(*this);
  canvas.SetFontCharset(204);
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
  // The bitmaps are looked for in the current directory first, then in the folders where the
  // program keeps its data; the music is played from the same folder. Finding the first bitmap
  // is loading it: each file is opened once. A folder that may not be searched is passed over,
  // and named as such if no folder holds the bitmaps.
  const std::vector<std::string> folders = platform.DataFolders();
  std::array<Image*, 6> targets = {&BackgroundBitmap, &ChosenMark,  &BlankMark,
                                   &StartBoxPressed,  &RisingPatch, &FallingPatch};
  std::string searched;
  std::string error;
  FileResult first = FileResult::kMissing;
  bool found = false;
  for (const std::string& f : folders) {
    if (!found) {
      first = platform.LoadBitmap(DataPath(f, kBitmapFiles[0]), *targets[0], error);
      found = first != FileResult::kMissing && first != FileResult::kFolderUnreadable;
      if (found) StartDirectory = f;
    }
    searched += "\n  " + f;
    if (!found && first == FileResult::kFolderUnreadable) {
      searched += " (this folder cannot be read: " + error + ")";
    }
  }
  const auto fail = [&](const std::string& file, const std::string& what) {
    platform.ShowError(CannotStartMessage("the data file \"" + file + "\"" + what +
                                          "\nFolders searched:" + searched));
    return false;
  };
  if (!found) return fail(kBitmapFiles[0], " was not found.");

  for (std::size_t i = 0; i < targets.size(); ++i) {
    const std::string path = DataPath(StartDirectory, kBitmapFiles[i]);
    FileResult result = first;
    if (i > 0) {
      error.clear();
      result = platform.LoadBitmap(path, *targets[i], error);
    }
    if (result != FileResult::kLoaded)
      return fail(kBitmapFiles[i], FailureText(result, path, error));
    if (std::string problem = BitmapSizeProblem(i, targets[i]->width, targets[i]->height);
        !problem.empty())
      return fail(kBitmapFiles[i], " (" + path + ") is damaged: " + problem + ".");
  }
  if (BlankMark.width < ChosenMark.width || BlankMark.height < ChosenMark.height) {
    platform.ShowError(CannotStartMessage(std::string("the data file \"") + kBitmapFiles[2] +
                                          "\" is smaller than \"" + kBitmapFiles[1] +
                                          "\" and cannot blank it."));
    return false;
  }
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
