#include <cstdint>
#include <filesystem>
#include <string>

#include "game/state.h"
#include "ui/bitmap_check.h"
#include "ui/tiles.h"

namespace vorlask {

namespace {

constexpr std::array<const char*, 10> kLayoutRows = {
    "9999999999", "9101010109", "9010101019", "9101010109", "9010101019",
    "9101010109", "9010101019", "9101010109", "9212121219", "9999999999"};
// Rows 6 and 7 of the two start layouts: the wolf at (7, 4) or at (6, 5).
constexpr std::array<std::array<const char*, 2>, 2> kWolfRows = {
    {{"9101010109", "9013101019"}, {"9101310109", "9010101019"}}};

// What the picture must cover to serve its place in the window, or an empty text.
std::string SizeProblem(std::size_t index, const Image& image) {
  struct Need {
    std::int64_t min_w, min_h, max_w, max_h;
  };
  // Background, chosen mark, blank mark, pressed start box, the two patches.
  constexpr std::array<Need, 6> kNeeds = {{{596, 446, kMaxBitmapSide, kMaxBitmapSide},
                                           {1, 1, 131, 21},
                                           {1, 1, 131, 21},
                                           {122, 34, kMaxBitmapSide, kMaxBitmapSide},
                                           {107, 107, kMaxBitmapSide, kMaxBitmapSide},
                                           {107, 107, kMaxBitmapSide, kMaxBitmapSide}}};
  const Need& n = kNeeds[index];
  if (image.width < n.min_w || image.height < n.min_h || image.width > n.max_w ||
      image.height > n.max_h) {
    return "it is " + std::to_string(image.width) + " by " + std::to_string(image.height) +
           " pixels, which does not fit its place in the window";
  }
  return {};
}

}  // namespace

TForm3::TForm3(Platform& p)
    : platform(p),
      canvas(p.GetCanvas()),
      ImageList1(MakeTileSet()),
      Timer1(p.GetTimer()),
      MediaPlayer1(p.GetMediaPlayer()) {}

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

  // The bitmaps are looked for in the current directory first, then in the folders where the
  // program keeps its data; the music is played from the same folder.
  const std::vector<std::string> folders = platform.DataFolders();
  std::string searched;
  for (const std::string& f : folders)
    searched += "\n  " + f;
  std::error_code ec;
  const std::string* chosen = nullptr;
  for (const std::string& f : folders) {
    if (std::filesystem::exists(std::filesystem::path(f) / kBitmapFiles[0], ec)) {
      chosen = &f;
      break;
    }
  }
  if (chosen == nullptr) {
    platform.ShowError(std::string("Vorlask cannot start: the data file \"") + kBitmapFiles[0] +
                       "\" was not found.\nFolders searched:" + searched);
    return false;
  }
  StartDirectory = *chosen;

  std::array<Image*, 6> targets = {&BackgroundBitmap, &ChosenMark,  &BlankMark,
                                   &StartBoxPressed,  &RisingPatch, &FallingPatch};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const std::string path = (std::filesystem::path(StartDirectory) / kBitmapFiles[i]).string();
    if (!std::filesystem::exists(path, ec) && !ec) {
      platform.ShowError(std::string("Vorlask cannot start: the data file \"") + kBitmapFiles[i] +
                         "\" (" + path + ") is missing." + "\nFolders searched:" + searched);
      return false;
    }
    // The file is checked before any of it is decoded: a damaged header can claim a picture
    // of many gigabytes, and a directory or a pipe in the file's place would block the start.
    BitmapLayout layout;
    if (std::string problem = BitmapFileProblem(path, layout); !problem.empty()) {
      platform.ShowError(std::string("Vorlask cannot start: the data file \"") + kBitmapFiles[i] +
                         "\" (" + path + ") is damaged: " + problem + "." +
                         "\nFolders searched:" + searched);
      return false;
    }
    std::string error;
    if (!platform.LoadBitmap(path, *targets[i], error)) {
      platform.ShowError(std::string("Vorlask cannot start: the data file \"") + kBitmapFiles[i] +
                         "\" could not be loaded from " + path + ": " + error +
                         "\nFolders searched:" + searched);
      return false;
    }
    if (std::string problem = SizeProblem(i, *targets[i]); !problem.empty()) {
      platform.ShowError(std::string("Vorlask cannot start: the data file \"") + kBitmapFiles[i] +
                         "\" (" + path + ") is damaged: " + problem + "." +
                         "\nFolders searched:" + searched);
      return false;
    }
  }
  if (BlankMark.width < ChosenMark.width || BlankMark.height < ChosenMark.height) {
    platform.ShowError(std::string("Vorlask cannot start: the data file \"") + kBitmapFiles[2] +
                       "\" is smaller than \"" + kBitmapFiles[1] + "\" and cannot blank it.");
    return false;
  }

  TrackNumber = 1;
  NotifyArmed = 0;
  wolf0();
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
