#include "game/state.h"

namespace vorlask {

void TForm3::DrawTile(int index, int row, int col) {
  canvas.Draw(SquareX(col), SquareY(row), ImageList1[static_cast<std::size_t>(index)]);
}

void TForm3::RedrawBoard() {
  FullRedraw = 1;
  wolf1();
  FullRedraw = 0;
}

void TForm3::FormPaint() {
  canvas.Draw(8, 8, BackgroundBitmap);
  wolf1();
  wolf1a();
  if (GameActive == 0) DrawMessageBlock();
  if (CalibrationPending == 1) Calibrate();
}

void TForm3::wolf1() {
  for (int r = 2; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      switch (Board.At(r, c)) {
        case '0':
          if (FullRedraw == 1) DrawTile(tile::kDark, r, c);
          break;
        case '2':
          DrawTile(tile::kHunter, r, c);
          break;
        case '3':
          DrawTile(tile::kWolf, r, c);
          break;
        case '4':
          DrawTile(tile::kPickedHunter, r, c);
          break;
        case '5':
          DrawTile(tile::kPickedWolf, r, c);
          break;
        default:
          break;
      }
    }
  }
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
}

}  // namespace vorlask
