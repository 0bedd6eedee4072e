#include <array>
#include <cstdint>

#include "game/layout.h"
#include "ui/form.h"

namespace vorlask {

namespace {

// The option box under (x, y), or 0 when there is none. All bounds are exclusive.
std::uint16_t OptionBoxAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  if (!(layout::kBoxLeft < x && x < layout::kBoxLeft + width)) return 0;
  for (const layout::OptionBox& box : layout::kOptionBoxes) {
    if (box.top < y && y < box.top + height) return box.command;
  }
  return 0;
}

bool InStartBox(std::int32_t x, std::int32_t y) {
  return layout::kStartLeft < x && x < layout::kStartRight && layout::kStartTop < y &&
         y < layout::kStartBottom;
}

// The board row or column under a window coordinate. The sum is taken in 64 bits so that no
// position a window system can report overflows, and the division truncates towards zero, so
// that a release left or above the window lands on the border or beyond, never on the field.
std::int64_t SquareIndex(std::int32_t pixel, std::int32_t offset) {
  return (static_cast<std::int64_t>(pixel) + offset) / layout::kSquarePitch;
}

bool OnField(std::int64_t index) {
  return index >= 2 && index <= 9;
}

}  // namespace

void TForm3::FormKeyDown(std::uint16_t key) {
  const HandlerCheck check(*this);
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
  const HandlerCheck check(*this);
  if (Closing) return;
  Command = button == MouseButton::kLeft ? kLeftRelease : kOtherRelease;
  if (Command == kOtherRelease) return EndProgram();
  if (GameActive == 0 && !InStartBox(x, y) &&
      OptionBoxAt(x, y, OptionBoxWidth, OptionBoxHeight) == 0) {
    return;
  }
  MouseY = y;
  MouseX = x;
  NoteCursorCell();
  wolf2();
  if (Closing) return;
  TurnCycle();
}

void TForm3::EndProgram() {
  MediaPlayer1.Disable();
  platform.Quit();
  Closing = true;
}

void TForm3::TurnCycle() {
  NoteCursorCell();
  wolf2a();
  if (GameActive == 1) {
    if (GameMode == mode::kComputerHunters && TurnState == turn::kHuntersToMove) wolfa();
    if (GameMode == mode::kComputerWolf && TurnState == turn::kWolfToMove) wolfb();
    NoteCursorCell();
    wolf2a();
    // When the hunters have to pass, the computer wolf moves again at once instead of waiting
    // for an input that the person has no reason to give. A wolf shuffling beside hunters that
    // stay blocked could do so for ever, so after that many extra moves the turn stays with it.
    int passes = 0;
    while (GameActive == 1 && GameMode == mode::kComputerWolf && TurnState == turn::kWolfToMove &&
           passes < kMaxComputerWolfPasses) {
      ++passes;
      wolfb();
      NoteCursorCell();
      wolf2a();
    }
  }
  if (GameActive == 0) {
    wolf1();
    DrawMessageBlock();
  }
}

void TForm3::RepaintLeftSquare() {
  switch (CursorCellCode) {
    case cell::kEmpty:
      DrawTile(tile::kDark, CursorRow, CursorCol);
      break;
    case cell::kLight:
      DrawTile(tile::kLight, CursorRow, CursorCol);
      break;
    case cell::kHunter:
      DrawTile(tile::kDark, CursorRow, CursorCol);
      DrawTile(tile::kHunter, CursorRow, CursorCol);
      break;
    case cell::kWolf:
      DrawTile(tile::kDark, CursorRow, CursorCol);
      DrawTile(tile::kWolf, CursorRow, CursorCol);
      break;
    default:
      break;  // picked-up pieces keep their picture; "8" means nothing is remembered
  }
}

void TForm3::wolf2() {
  // The square the cursor leaves is painted as it is, without the cursor mark.
  RepaintLeftSquare();

  switch (Command) {
    case vk::kEscape:
      return EndProgram();
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
      // FormMouseUp ends the program before it gets here; the code can only come from a caller
      // that hands it over as a key, and it still means the same.
      Command = vk::kEscape;
      return EndProgram();
    default:
      break;
  }

  OptionCommands();

  NoteCursorCell();
  DrawCursor();

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

void TForm3::DrawMark(int box, bool chosen) {
  canvas.Draw(layout::kMarkX, layout::MarkY(box), chosen ? ChosenMark : BlankMark);
}

// Chooses one box of a group of boxes and blanks the others, then restarts an untouched game.
void TForm3::ChooseOption(std::uint8_t& option, int first_box, int count, int chosen) {
  DrawMark(first_box + chosen - 1, true);
  for (int i = 1; i <= count; ++i) {
    if (i != chosen) DrawMark(first_box + i - 1, false);
  }
  option = static_cast<std::uint8_t>(chosen);
  RestartIfUntouched();
}

void TForm3::OptionCommands() {
  switch (Command) {
    case vk::kT:
      return ChooseOption(ModeOption, layout::kFirstModeBox, 3, 1);
    case vk::kH:
      return ChooseOption(ModeOption, layout::kFirstModeBox, 3, 2);
    case vk::kP:
      return ChooseOption(ModeOption, layout::kFirstModeBox, 3, 3);
    case vk::k1:
      return ChooseOption(StartOption, layout::kFirstStartBox, 2, 1);
    case vk::k2:
      return ChooseOption(StartOption, layout::kFirstStartBox, 2, 2);
    case vk::kN:
      // The timer starts the game again 300 ms later in any case; an untouched game is also
      // restarted at once.
      TimerAction = timer_action::kNewGame;
      canvas.Draw(layout::kPressedX, layout::kPressedY, StartBoxPressed);
      Timer1.Enable();
      RestartIfUntouched();
      break;
    case vk::kA:
      AnimateMoves = AnimateMoves == 0 ? 1 : 0;
      DrawMark(layout::kAnimationBox, AnimateMoves == 1);
      break;
    case vk::kS:
      MusicOn = MusicOn == 0 ? 1 : 0;
      DrawMark(layout::kMusicBox, MusicOn == 1);
      NotifyArmed = MusicOn;
      if (MusicOn == 1) {
        // Switching on gives every file another chance after all of them had failed.
        MusicStalled = 0;
        QuickEnds = 0;
      }
      MediaPlayer1.Close();
      if (MusicOn == 1) wolf4();
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
      const char code =
          Board.At(row, col) == cell::kPickedHunter ? cell::kHunter : Board.At(row, col);
      if (code != OpeningBoard.At(row, col)) return false;
    }
  }
  return true;
}

void TForm3::Timer1Timer() {
  const HandlerCheck check(*this);
  if (TimerAction == timer_action::kNewGame) {
    canvas.Draw(layout::kBackgroundX, layout::kBackgroundY, BackgroundBitmap);
    wolf0();
    wolf1();
    wolf1a();
  }
  // A new game in which the computer plays the wolf has just set TimerAction to 1, so its
  // opening move follows here at once. It belongs to such a game only: an option chosen within
  // the 300 ms may have started a game in another mode since, in which the wolf is a person's.
  if (TimerAction == timer_action::kOpeningMove && GameMode == mode::kComputerWolf) {
    canvas.Draw(layout::kBackgroundX, layout::kBackgroundY, BackgroundBitmap);
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
        if (const int col = f_at(Board.Row(row), cell::kPickedHunter); col != 0) {
          held_row = row;
          held_col = col;
          Board.Set(row, col, cell::kHunter);
        }
      }
      wolfc();
      if (held_row != 0) {
        Board.Set(held_row, held_col, cell::kPickedHunter);
        wolf1();
      }
    }
  }
  Timer1.Disable();
}

}  // namespace vorlask
