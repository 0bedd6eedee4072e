#include <array>
#include <cstdint>

#include "game/state.h"

namespace vorlask {

namespace {

// The seven option boxes of the panel, from top to bottom: three modes, two start squares,
// music, animation. Each box is hit strictly inside the rows below `top` and above
// `top + OptionBoxHeight`; the mark of the box is drawn 5 pixels below `top`.
struct OptionBox {
  int top;
  std::uint16_t command;
};
constexpr std::array<OptionBox, 7> kOptionBoxes = {{{123, vk::kT},
                                                    {155, vk::kH},
                                                    {187, vk::kP},
                                                    {259, vk::k1},
                                                    {291, vk::k2},
                                                    {391, vk::kS},
                                                    {423, vk::kA}}};

// Mark rows of the option boxes.
constexpr int kMarkX = 472;
constexpr int kMode1MarkY = 128;
constexpr int kMode2MarkY = 160;
constexpr int kMode3MarkY = 192;
constexpr int kStart1MarkY = 264;
constexpr int kStart2MarkY = 296;
constexpr int kMusicMarkY = 396;
constexpr int kAnimationMarkY = 428;

constexpr int kSquarePitch = 54;

// The option box under (x, y), or 0 when there is none. All bounds are exclusive.
std::uint16_t OptionBoxAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  if (!(470 < x && x < 470 + width)) return 0;
  for (const OptionBox& box : kOptionBoxes) {
    if (box.top < y && y < box.top + height) return box.command;
  }
  return 0;
}

bool InStartBox(std::int32_t x, std::int32_t y) {
  return 480 < x && x < 600 && 345 < y && y < 378;
}

// The board row or column under a window coordinate. The sum is taken in 64 bits so that no
// position a window system can report overflows, and the division truncates towards zero, so
// that a release left or above the window lands on the border or beyond, never on the field.
std::int64_t SquareIndex(std::int32_t pixel, std::int32_t offset) {
  return (static_cast<std::int64_t>(pixel) + offset) / kSquarePitch;
}

bool OnField(std::int64_t index) {
  return index >= 2 && index <= 9;
}

}  // namespace

void TForm3::FormKeyDown(std::uint16_t key) {
  if (Closing) return;
  if (GameActive == 0) {
    switch (key) {
      case vk::kN:
      case vk::kEscape:
      case vk::kT:
      case vk::kH:
      case vk::kP:
      case vk::k1:
      case vk::k2:
      case vk::kA:
      case vk::kS:
        break;
      default:
        return;  // the finished game stays as it is
    }
  }
  Command = key;
  wolf2();
  if (Closing) return;
  TurnCycle();
}

void TForm3::FormMouseUp(MouseButton button, int x, int y) {
  if (Closing) return;
  Command = button == MouseButton::kLeft ? kLeftRelease : kOtherRelease;
  if (Command == kOtherRelease) {
    MediaPlayer1.Disable();
    platform.Quit();
    Closing = true;
    return;
  }
  if (GameActive == 0 && !InStartBox(x, y) &&
      OptionBoxAt(x, y, OptionBoxWidth, OptionBoxHeight) == 0) {
    return;
  }
  MouseY = y;
  MouseX = x;
  CursorCellCode = Board.At(CursorRow, CursorCol);
  wolf2();
  if (Closing) return;
  TurnCycle();
}

void TForm3::TurnCycle() {
  CursorCellCode = Board.At(CursorRow, CursorCol);
  wolf2a();
  if (GameActive == 1) {
    if (GameMode == 1 && TurnState == 0) wolfa();
    if (GameMode == 2 && TurnState == 3) wolfb();
    CursorCellCode = Board.At(CursorRow, CursorCol);
    wolf2a();
    // When the hunters have to pass, the computer wolf moves again at once instead of waiting
    // for an input that the person has no reason to give. A wolf shuffling beside hunters that
    // stay blocked could do so for ever, so after that many extra moves the turn stays with it.
    int passes = 0;
    while (GameActive == 1 && GameMode == 2 && TurnState == 3 && passes < kMaxComputerWolfPasses) {
      ++passes;
      wolfb();
      CursorCellCode = Board.At(CursorRow, CursorCol);
      wolf2a();
    }
  }
  if (GameActive == 0) {
    wolf1();
    DrawMessageBlock();
  }
}

void TForm3::wolf2() {
  // The square the cursor leaves is painted as it is, without the cursor mark.
  switch (CursorCellCode) {
    case '0':
      DrawTile(tile::kDark, CursorRow, CursorCol);
      break;
    case '1':
      DrawTile(tile::kLight, CursorRow, CursorCol);
      break;
    case '2':
      DrawTile(tile::kDark, CursorRow, CursorCol);
      DrawTile(tile::kHunter, CursorRow, CursorCol);
      break;
    case '3':
      DrawTile(tile::kDark, CursorRow, CursorCol);
      DrawTile(tile::kWolf, CursorRow, CursorCol);
      break;
    default:
      break;  // picked-up pieces keep their picture; "8" means nothing is remembered
  }

  switch (Command) {
    case vk::kEscape:
      MediaPlayer1.Disable();
      platform.Quit();
      Closing = true;
      return;
    case vk::kLeft:
      if (CursorCol > 2) --CursorCol;
      break;
    case vk::kUp:
      if (CursorRow > 2) --CursorRow;
      break;
    case vk::kRight:
      if (CursorCol < 9) ++CursorCol;
      break;
    case vk::kDown:
      if (CursorRow < 9) ++CursorRow;
      break;
    case kLeftRelease:
      ClickMapping();
      break;
    case kOtherRelease:
      Command = vk::kEscape;
      MediaPlayer1.Disable();
      platform.Quit();
      Closing = true;
      return;
    default:
      break;
  }

  OptionCommands();

  CursorCellCode = Board.At(CursorRow, CursorCol);
  switch (CursorCellCode) {
    case '0':
    case '1':
      DrawTile(tile::kCursorEmpty, CursorRow, CursorCol);
      break;
    case '2':
      DrawTile(tile::kCursorHunter, CursorRow, CursorCol);
      break;
    case '3':
      DrawTile(tile::kCursorWolf, CursorRow, CursorCol);
      break;
    case '4':
      DrawTile(tile::kPickedHunter, CursorRow, CursorCol);
      break;
    case '5':
      DrawTile(tile::kPickedWolf, CursorRow, CursorCol);
      break;
    default:
      break;
  }

  if (Command == vk::kEnter) MoveInput();
}

void TForm3::ClickMapping() {
  const std::int64_t row = SquareIndex(MouseY, BoardOffsetY);
  const std::int64_t col = SquareIndex(MouseX, BoardOffsetX);
  if (OnField(row) && OnField(col)) {
    CursorRow = static_cast<std::uint8_t>(row);
    CursorCol = static_cast<std::uint8_t>(col);
    Command = vk::kEnter;  // a click on a square is a cursor move followed by Enter
  }
  if (const std::uint16_t box = OptionBoxAt(MouseX, MouseY, OptionBoxWidth, OptionBoxHeight)) {
    Command = box;
  }
  if (InStartBox(MouseX, MouseY)) Command = vk::kN;
}

void TForm3::OptionCommands() {
  switch (Command) {
    case vk::kT:
      canvas.Draw(kMarkX, kMode1MarkY, ChosenMark);
      canvas.Draw(kMarkX, kMode2MarkY, BlankMark);
      canvas.Draw(kMarkX, kMode3MarkY, BlankMark);
      ModeOption = 1;
      RestartIfUntouched();
      break;
    case vk::kH:
      canvas.Draw(kMarkX, kMode2MarkY, ChosenMark);
      canvas.Draw(kMarkX, kMode1MarkY, BlankMark);
      canvas.Draw(kMarkX, kMode3MarkY, BlankMark);
      ModeOption = 2;
      RestartIfUntouched();
      break;
    case vk::kP:
      canvas.Draw(kMarkX, kMode3MarkY, ChosenMark);
      canvas.Draw(kMarkX, kMode1MarkY, BlankMark);
      canvas.Draw(kMarkX, kMode2MarkY, BlankMark);
      ModeOption = 3;
      RestartIfUntouched();
      break;
    case vk::k1:
      canvas.Draw(kMarkX, kStart1MarkY, ChosenMark);
      canvas.Draw(kMarkX, kStart2MarkY, BlankMark);
      StartOption = 1;
      RestartIfUntouched();
      break;
    case vk::k2:
      canvas.Draw(kMarkX, kStart2MarkY, ChosenMark);
      canvas.Draw(kMarkX, kStart1MarkY, BlankMark);
      StartOption = 2;
      RestartIfUntouched();
      break;
    case vk::kN:
      // The timer starts the game again 300 ms later in any case; an untouched game is also
      // restarted at once.
      TimerAction = 0;
      canvas.Draw(478, 344, StartBoxPressed);
      Timer1.Enable();
      RestartIfUntouched();
      break;
    case vk::kA:
      if (AnimateMoves == 0) {
        AnimateMoves = 1;
        canvas.Draw(kMarkX, kAnimationMarkY, ChosenMark);
      } else {
        AnimateMoves = 0;
        canvas.Draw(kMarkX, kAnimationMarkY, BlankMark);
      }
      break;
    case vk::kS:
      if (MusicOn == 0) {
        MusicOn = 1;
        canvas.Draw(kMarkX, kMusicMarkY, ChosenMark);
        NotifyArmed = 1;
        // Switching on gives every file another chance after all of them had failed.
        MusicStalled = 0;
        QuickEnds = 0;
        MediaPlayer1.Close();
        wolf4();
      } else {
        MusicOn = 0;
        canvas.Draw(kMarkX, kMusicMarkY, BlankMark);
        NotifyArmed = 0;
        MediaPlayer1.Close();
      }
      break;
    default:
      break;
  }
}

void TForm3::RestartIfUntouched() {
  if (MoveMade != 0) return;  // the choice waits for the next new game
  wolf0();
  // The new game draws only the pieces; the squares the old game left occupied need clearing.
  RedrawBoard();
}

bool TForm3::HuntersUntouched() const {
  for (int row = 1; row <= 10; ++row) {
    for (int col = 1; col <= 10; ++col) {
      const char code = Board.At(row, col) == '4' ? '2' : Board.At(row, col);
      if (code != OpeningBoard.At(row, col)) return false;
    }
  }
  return true;
}

void TForm3::Timer1Timer() {
  if (TimerAction == 0) {
    canvas.Draw(8, 8, BackgroundBitmap);
    wolf0();
    wolf1();
    wolf1a();
  }
  // A new game in which the computer plays the wolf has just set TimerAction to 1, so its
  // opening move follows here at once. It belongs to such a game only: an option chosen within
  // the 300 ms may have started a game in another mode since, in which the wolf is a person's.
  if (TimerAction == 1 && GameMode == 2) {
    canvas.Draw(8, 8, BackgroundBitmap);
    wolf1();
    wolf1a();
    // A hunter moved within the 300 ms has had the computer's regular reply, and the opening
    // move is not due any more. Picking a hunter up, or putting it back, moves nothing.
    if (HuntersUntouched()) {
      // A hunter the person holds still stands in the formation the book looks up; it stays
      // held afterwards.
      int held_row = 0;
      int held_col = 0;
      for (int row = 2; row <= 9; ++row) {
        if (const int col = f_at(Board.Row(row), '4'); col != 0) {
          held_row = row;
          held_col = col;
          Board.Set(row, col, '2');
        }
      }
      wolfc();
      if (held_row != 0) {
        Board.Set(held_row, held_col, '4');
        wolf1();
      }
    }
  }
  Timer1.Disable();
}

}  // namespace vorlask
