#include "ui/form.h"
#include "ui/tiles.h"

namespace vorlask {

namespace {

// By code "0" to "5": the tile of the piece on a square (-1 for none), and the tile of the
// square under the cursor, the cursor's mark with what stands there, except that a piece in
// the hand already shows as picked up.
constexpr std::array<int, 6> kPieceTiles = {
    -1, -1, tile::kHunter, tile::kWolf, tile::kPickedHunter, tile::kPickedWolf};
constexpr std::array<int, 6> kCursorTiles = {tile::kCursorEmpty,  tile::kCursorEmpty,
                                             tile::kCursorHunter, tile::kCursorWolf,
                                             tile::kPickedHunter, tile::kPickedWolf};

int TileOf(const std::array<int, 6>& tiles, char code) {
  if (code < cell::kEmpty || code > cell::kPickedWolf) return -1;
  return tiles[static_cast<std::size_t>(code - cell::kEmpty)];
}

}  // namespace

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
      const char code = Board.At(r, c);
      if (code == cell::kEmpty) {
        if (FullRedraw == 1) DrawTile(tile::kDark, r, c);
      } else if (const int piece = TileOf(kPieceTiles, code); piece >= 0) {
        DrawTile(piece, r, c);
      }
    }
  }
  NoteCursorCell();
  DrawCursor();
}

void TForm3::DrawCursor() {
  if (const int index = TileOf(kCursorTiles, CursorCellCode); index >= 0)
    DrawTile(index, CursorRow, CursorCol);
}

}  // namespace vorlask
