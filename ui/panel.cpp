#include "ui/form.h"

namespace vorlask {

void TForm3::wolf1a() {
  if (ModeOption >= 1 && ModeOption <= 3) DrawMark(layout::kFirstModeBox + ModeOption - 1, true);
  if (StartOption == 1 || StartOption == 2)
    DrawMark(layout::kFirstStartBox + StartOption - 1, true);
  if (AnimateMoves == 1) DrawMark(layout::kAnimationBox, true);
  if (MusicOn == 1) DrawMark(layout::kMusicBox, true);
  canvas.SetPenColor(kNavy);
  const int left = layout::kBoxLeft;
  for (const layout::OptionBox& box : layout::kOptionBoxes) {
    canvas.MoveTo(left, box.top);
    canvas.LineTo(left + OptionBoxWidth, box.top);
    canvas.LineTo(left + OptionBoxWidth, box.top + OptionBoxHeight);
    canvas.LineTo(left, box.top + OptionBoxHeight);
    canvas.LineTo(left, box.top);
  }
}

void TForm3::DrawMessageBlock() {
  canvas.SetPenColor(kOlive);
  canvas.Rectangle(layout::kMessageLeft, layout::kMessageTop, layout::kMessageRight,
                   layout::kMessageBottom);
  canvas.SetPenColor(kNavy);
  canvas.SetFontColor(kBlue);
  canvas.SetFontSize(layout::kMessageFontSize);
  const std::array<const std::string*, 3> lines = {&MessageLine1, &MessageLine2, &MessageLine3};
  for (std::size_t i = 0; i < lines.size(); ++i)
    canvas.TextOut(layout::kMessageTextX, layout::kMessageLineY[i], *lines[i]);
}

}  // namespace vorlask
