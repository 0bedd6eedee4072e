#include "game/state.h"

namespace vorlask {

namespace {
// Tops of the seven option frames: three modes, two start squares, music, animation.
constexpr std::array<int, 7> kFrameTops = {123, 155, 187, 259, 291, 391, 423};
}  // namespace

void TForm3::wolf1a() {
  if (ModeOption >= 1 && ModeOption <= 3) canvas.Draw(472, 128 + 32 * (ModeOption - 1), ChosenMark);
  if (StartOption == 1) canvas.Draw(472, 264, ChosenMark);
  if (StartOption == 2) canvas.Draw(472, 296, ChosenMark);
  if (AnimateMoves == 1) canvas.Draw(472, 428, ChosenMark);
  if (MusicOn == 1) canvas.Draw(472, 396, ChosenMark);
  canvas.SetPenColor(kNavy);
  for (int top : kFrameTops) {
    canvas.MoveTo(470, top);
    canvas.LineTo(470 + OptionBoxWidth, top);
    canvas.LineTo(470 + OptionBoxWidth, top + OptionBoxHeight);
    canvas.LineTo(470, top + OptionBoxHeight);
    canvas.LineTo(470, top);
  }
}

void TForm3::DrawMessageBlock() {
  canvas.SetPenColor(kOlive);
  canvas.Rectangle(455, 0, 614, 85);
  canvas.SetPenColor(kNavy);
  canvas.SetFontColor(kBlue);
  canvas.SetFontSize(14);
  canvas.TextOut(456, 12, MessageLine1);
  canvas.TextOut(456, 41, MessageLine2);
  canvas.TextOut(456, 70, MessageLine3);
}

}  // namespace vorlask
