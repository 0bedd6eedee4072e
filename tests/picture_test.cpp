// The tile set and the picture that a paint leaves in the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/sdl/bmp_file.h"
#include "support/fake_platform.h"
#include "support/picture_compare.h"
#include "support/wolf_positions.h"
#include "ui/tiles.h"

namespace vorlask::testing {
namespace {

// With VORLASK_PICTURE_DUMP set to a folder, the pictures under test are also written there
// as bitmaps, so that a person can look at what the window shows.
void Dump(const Image& image, const std::string& name) {
  const char* folder = std::getenv("VORLASK_PICTURE_DUMP");
  if (folder == nullptr) return;
  std::string error;
  EXPECT_TRUE(SaveBmpFile(std::string(folder) + "/" + name + ".bmp", image, error)) << error;
}

bool Opaque(std::uint32_t pixel) {
  return (pixel >> 24) != 0;
}

int CountColour(const Image& image, Color c) {
  int n = 0;
  for (std::uint32_t p : image.pixels)
    if (p == Pixel(c)) ++n;
  return n;
}

// The disc fills columns 3..49 and rows 7..46 of a tile.
constexpr int kPieceLeft = 3, kPieceRight = 49, kPieceTop = 7, kPieceBottom = 46;

struct Box {
  int left = kTileSize, right = -1, top = kTileSize, bottom = -1;
};

// The box around the pixels that are not the square's colour (or, without one, not masked).
Box PieceBox(const Image& tile, const Color* square) {
  Box b;
  for (int y = 0; y < tile.height; ++y)
    for (int x = 0; x < tile.width; ++x) {
      const std::uint32_t p = tile.At(x, y);
      if (square ? p == Pixel(*square) : !Opaque(p)) continue;
      b.left = std::min(b.left, x);
      b.right = std::max(b.right, x);
      b.top = std::min(b.top, y);
      b.bottom = std::max(b.bottom, y);
    }
  return b;
}

TEST(TileSet, SquaresAndPiecesOnThem) {
  const auto tiles = MakeTileSet();
  Image sheet(11 * 60, 60, Pixel(kOlive));
  for (int i = 0; i < kTileCount; ++i)
    for (int y = 0; y < kTileSize; ++y)
      for (int x = 0; x < kTileSize; ++x)
        if (Opaque(tiles[i].At(x, y))) sheet.Set(i * 60 + 3 + x, 3 + y, tiles[i].At(x, y));
  Dump(sheet, "tiles");

  struct Expect {
    int tile;
    Color square;
    int piece;  // 0 none, 1 hunter, 2 wolf
  };
  for (const Expect e :
       {Expect{0, kCursorGreen, 1}, Expect{1, kCursorGreen, 2}, Expect{2, kCursorGreen, 0},
        Expect{3, kDarkSquare, 0}, Expect{4, kPickedCyan, 1}, Expect{5, kPickedCyan, 2},
        Expect{6, kLightSquare, 0}, Expect{7, kDarkSquare, 1}, Expect{8, kDarkSquare, 2}}) {
    SCOPED_TRACE("tile " + std::to_string(e.tile));
    const Image& t = tiles[e.tile];
    ASSERT_EQ(t.width, kTileSize);
    ASSERT_EQ(t.height, kTileSize);
    for (std::uint32_t p : t.pixels)
      ASSERT_TRUE(Opaque(p));
    if (e.piece == 0) {
      EXPECT_EQ(CountColour(t, e.square), kTileSize * kTileSize);
      continue;
    }
    // On a black square the black outline blends into the square.
    const Box b = PieceBox(t, &e.square);
    const bool exact = e.square != kDarkSquare;
    EXPECT_TRUE(exact ? b.left == kPieceLeft : b.left >= kPieceLeft) << b.left;
    EXPECT_TRUE(exact ? b.right == kPieceRight : b.right <= kPieceRight) << b.right;
    EXPECT_TRUE(exact ? b.top == kPieceTop : b.top >= kPieceTop) << b.top;
    EXPECT_TRUE(exact ? b.bottom == kPieceBottom : b.bottom <= kPieceBottom) << b.bottom;
    const Color top = e.piece == 1 ? kHunterTop : kWolfTop;
    const Color side = e.piece == 1 ? kHunterSide : kWolfSide;
    EXPECT_GT(CountColour(t, top), 300) << "the top face shows its own colour";
    EXPECT_GT(CountColour(t, side), 150) << "the side band shows its own colour";
    if (exact) {
      int outline = 0;
      for (std::uint32_t p : t.pixels) {
        const Color c = ColorOf(p);
        if (c.r + c.g + c.b < 60) ++outline;
      }
      EXPECT_GT(outline, 100) << "outlined in black";
    }
  }
}

// Every pixel on the outline of the moving piece's mask lies within a pixel of the outline of
// the same piece at rest on the picked-up square, and the other way round.
void ExpectOutlinesWithinAPixel(const Image& t, const Image& on_cyan) {
  const auto moving_piece = [&](int x, int y) { return t.Contains(x, y) && Opaque(t.At(x, y)); };
  const auto resting_piece = [&](int x, int y) {
    return on_cyan.Contains(x, y) && on_cyan.At(x, y) != Pixel(kPickedCyan);
  };
  const std::function<bool(int, int)> pieces[2] = {moving_piece, resting_piece};
  const auto on_outline = [](const std::function<bool(int, int)>& in, int x, int y) {
    return in(x, y) && !(in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1));
  };
  for (int which : {0, 1}) {
    for (int y = 0; y < kTileSize; ++y)
      for (int x = 0; x < kTileSize; ++x) {
        if (!on_outline(pieces[which], x, y)) continue;
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            near = near || on_outline(pieces[1 - which], x + dx, y + dy);
        EXPECT_TRUE(near) << (which == 0 ? "moving" : "resting") << " outline at " << x << "," << y
                          << " is more than a pixel from the other";
      }
  }
}

TEST(TileSet, MovingPiecesAreMaskedAndLookLikeTheRestingOnes) {
  const auto tiles = MakeTileSet();
  for (int moving : {tile::kMovingHunter, tile::kMovingWolf}) {
    SCOPED_TRACE("tile " + std::to_string(moving));
    const Image& t = tiles[moving];
    for (std::uint32_t p : t.pixels)
      ASSERT_TRUE((p >> 24) == 0 || (p >> 24) == 0xFF);
    const Box b = PieceBox(t, nullptr);
    EXPECT_EQ(b.left, kPieceLeft);
    EXPECT_EQ(b.right, kPieceRight);
    EXPECT_EQ(b.top, kPieceTop);
    EXPECT_EQ(b.bottom, kPieceBottom);
    // Away from its edge the moving piece is the very picture of the piece at rest, under the
    // cursor and picked up, so nothing jumps when it lands.
    const bool hunter = moving == tile::kMovingHunter;
    const std::array<int, 3> resting =
        hunter ? std::array<int, 3>{tile::kHunter, tile::kCursorHunter, tile::kPickedHunter}
               : std::array<int, 3>{tile::kWolf, tile::kCursorWolf, tile::kPickedWolf};
    int interior = 0;
    for (int y = 1; y < kTileSize - 1; ++y)
      for (int x = 1; x < kTileSize - 1; ++x) {
        bool inside = true;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            inside = inside && Opaque(t.At(x + dx, y + dy));
        if (!inside) continue;
        ++interior;
        for (int r : resting)
          ASSERT_EQ(t.At(x, y), tiles[r].At(x, y)) << x << "," << y;
      }
    EXPECT_GT(interior, 1200);

    // The mask keeps what the piece covers at least half of: as many pixels as the same piece
    // drawn alone with its coverage, and an outline within a pixel of the resting piece's, so
    // that the sliding piece is neither thinner nor ragged.
    const Image alone = DrawPiece(!hunter, kTileSize);
    int opaque = 0, half_covered = 0;
    for (std::size_t i = 0; i < t.pixels.size(); ++i) {
      opaque += Opaque(t.pixels[i]) ? 1 : 0;
      half_covered += (alone.pixels[i] >> 24) >= 128 ? 1 : 0;
    }
    EXPECT_EQ(opaque, half_covered);
    ExpectOutlinesWithinAPixel(t, tiles[static_cast<std::size_t>(resting[2])]);
  }
}

TEST(Picture, FirstPaintShowsTheBoardThePiecesAndTheCursor) {
  Game g;
  const Image& picture = g.platform.canvas->Picture();
  Dump(picture, "start");
  const auto& tiles = g.form.ImageList1;
  for (int row = 2; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      const bool dark = (row + col) % 2 == 1;
      int expected = dark ? tile::kDark : tile::kLight;
      if (row == 9 && dark) expected = tile::kHunter;
      if (row == 7 && col == 4) expected = tile::kWolf;
      if (row == 2 && col == 2) expected = tile::kCursorEmpty;
      EXPECT_EQ(Differences(picture, TForm3::SquareX(col), TForm3::SquareY(row),
                            tiles[static_cast<std::size_t>(expected)]),
                0)
          << "square (" << row << ", " << col << ") should show tile " << expected;
    }
  }
  // The window's own strips left of and above the background keep its colour.
  EXPECT_EQ(g.PixelAt(3, 200), kOlive);
  EXPECT_EQ(g.PixelAt(300, 3), kOlive);
}

void ExpectFrame(const Game& g, int top) {
  for (int x = 470; x <= 603; ++x) {
    EXPECT_EQ(g.PixelAt(x, top), kNavy) << "frame " << top << " top at x " << x;
    EXPECT_EQ(g.PixelAt(x, top + 26), kNavy) << "frame " << top << " bottom at x " << x;
  }
  for (int y = top; y <= top + 26; ++y) {
    EXPECT_EQ(g.PixelAt(470, y), kNavy) << "frame " << top << " left at y " << y;
    EXPECT_EQ(g.PixelAt(603, y), kNavy) << "frame " << top << " right at y " << y;
  }
}

TEST(Picture, PanelShowsTheChosenOptionsInsideNavyFrames) {
  Game g;
  const Image& picture = g.platform.canvas->Picture();
  auto marked = [&](int top) {
    if (Differences(picture, 472, top + 5, g.form.ChosenMark) == 0) return true;
    EXPECT_EQ(Differences(picture, 472, top + 5, g.form.BlankMark), 0)
        << "the box at " << top << " shows neither mark";
    return false;
  };
  for (const auto& [top, command] : layout::kOptionBoxes) {
    ExpectFrame(g, top);
    EXPECT_EQ(marked(top), top == 155 || top == 259) << "box at " << top;
  }

  // The other choice of every group, and both switches on.
  g.form.ModeOption = 3;
  g.form.StartOption = 2;
  g.form.MusicOn = 1;
  g.form.AnimateMoves = 1;
  g.platform.canvas->Clear(kOlive);
  g.form.FormPaint();
  for (const auto& [top, command] : layout::kOptionBoxes) {
    ExpectFrame(g, top);
    EXPECT_EQ(marked(top), top != 123 && top != 155 && top != 259) << "box at " << top;
  }
}

// Each line of the result block is written in blue on white at its place.
void ExpectEachLineInBlueOnWhite(const Game& g) {
  for (int line_top : {12, 41, 70}) {
    int blue = 0, other = 0;
    for (int y = line_top; y < std::min(line_top + 19, 84); ++y)
      for (int x = 456; x <= 612; ++x) {
        const Color c = g.PixelAt(x, y);
        if (c == kBlue) ++blue;
        if (c != kBlue && c != kWhite && (c.r != c.g || c.b != 255)) ++other;
      }
    EXPECT_GT(blue, 40) << "line at " << line_top;
    EXPECT_EQ(other, 0) << "line at " << line_top << " holds colours that are not text on white";
  }
}

TEST(Picture, ResultBlockAfterTheEndOfAGame) {
  Game g;
  // During a game the place of the result block shows the background.
  for (int y = 0; y <= 84; ++y)
    for (int x = 455; x <= 613; ++x)
      ASSERT_EQ(g.PixelAt(x, y), kOlive) << x << "," << y;

  g.form.GameActive = 0;
  g.form.MessageLine1 = kCaughtLine1;
  g.form.MessageLine2 = kCaughtLine2;
  g.form.MessageLine3 = kCaughtLine3;
  g.platform.canvas->Clear(kOlive);
  g.form.FormPaint();
  Dump(g.platform.canvas->Picture(), "caught");

  // The outline is the window's colour, so the white block seems to stand on the window; the
  // text cells, each on its own white, may reach over it. Every other pixel of the block is
  // its outline or its white inside.
  struct Cell {
    int x, y, width, height;
  };
  std::vector<Cell> cells;
  int line_top = 12;
  for (const char* line : {kCaughtLine1, kCaughtLine2, kCaughtLine3}) {
    const Image cell = g.platform.text->Render(line, g.platform.canvas->GetFont(), kWhite);
    cells.push_back({456, line_top, cell.width, cell.height});
    line_top += 29;
  }
  ASSERT_LT(cells[2].width, 613 - 456) << "the last line would hide the whole bottom edge";
  for (int y = 0; y <= 84; ++y) {
    for (int x = 455; x <= 613; ++x) {
      bool in_text = false;
      for (const Cell& c : cells)
        in_text = in_text || (x >= c.x && x < c.x + c.width && y >= c.y && y < c.y + c.height);
      if (in_text) continue;
      const bool edge = x == 455 || x == 613 || y == 0 || y == 84;
      EXPECT_EQ(g.PixelAt(x, y), edge ? kOlive : kWhite)
          << (edge ? "outline" : "inside") << " at " << x << "," << y;
    }
  }
  EXPECT_EQ(g.PixelAt(614, 40), kOlive) << "nothing right of the block";

  ExpectEachLineInBlueOnWhite(g);

  // A repaint in a new game no longer shows it.
  g.form.GameActive = 1;
  g.platform.canvas->Clear(kOlive);
  g.form.FormPaint();
  EXPECT_EQ(g.PixelAt(500, 50), kOlive);
}

}  // namespace
}  // namespace vorlask::testing
