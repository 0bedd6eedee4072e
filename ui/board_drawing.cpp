#include "game/state.h"
#include "ui/tiles.h"

namespace vorlask {

// The tile set is drawn, not loaded, so the form has its pictures from the moment it exists.
TForm3::TForm3(Platform& p)
    : platform(p),
      canvas(p.GetCanvas()),
      ImageList1(MakeTileSet()),
      Timer1(p.GetTimer()),
      MediaPlayer1(p.GetMediaPlayer()) {}

void TForm3::DrawTile(int index, int row, int col) {
  canvas.Draw(SquareX(col), SquareY(row), ImageList1[static_cast<std::size_t>(index)]);
}

void TForm3::RedrawBoard() {
  FullRedraw = 1;
  wolf1();
  FullRedraw = 0;
}

void TForm3::FormPaint() {
  const HandlerCheck check(*this);
  canvas.Draw(layout::kBackgroundX, layout::kBackgroundY, BackgroundBitmap);
  wolf1();
  wolf1a();
  if (GameActive == 0) DrawMessageBlock();
  if (CalibrationPending == 1) Calibrate();
}

void TForm3::wolf1() {
  for (int r = 2; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      switch (Board.At(r, c)) {
        case cell::kEmpty:
          if (FullRedraw == 1) DrawTile(tile::kDark, r, c);
          break;
        case cell::kHunter:
          DrawTile(tile::kHunter, r, c);
          break;
        case cell::kWolf:
          DrawTile(tile::kWolf, r, c);
          break;
        case cell::kPickedHunter:
          DrawTile(tile::kPickedHunter, r, c);
          break;
        case cell::kPickedWolf:
          DrawTile(tile::kPickedWolf, r, c);
          break;
        default:
          break;
      }
    }
  }
  NoteCursorCell();
  switch (CursorCellCode) {
    case cell::kEmpty:
    case cell::kLight:
      DrawTile(tile::kCursorEmpty, CursorRow, CursorCol);
      break;
    case cell::kHunter:
      DrawTile(tile::kCursorHunter, CursorRow, CursorCol);
      break;
    case cell::kWolf:
      DrawTile(tile::kCursorWolf, CursorRow, CursorCol);
      break;
    case cell::kPickedHunter:
      DrawTile(tile::kPickedHunter, CursorRow, CursorCol);
      break;
    case cell::kPickedWolf:
      DrawTile(tile::kPickedWolf, CursorRow, CursorCol);
      break;
    default:
      break;
  }
}

}  // namespace vorlask
