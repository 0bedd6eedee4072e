// The six bitmap files of the data folder against the places the game draws them and the
// tiles that repair them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <string>

#include "platform/sdl/bmp_file.h"
#include "support/picture_compare.h"
#include "ui/form.h"
#include "ui/tiles.h"

namespace vorlask::testing {
namespace {

constexpr int kBackgroundAt = 8;

Image Load(const char* name) {
  Image image;
  std::string error;
  EXPECT_TRUE(LoadBmpFile(std::string(VORLASK_SOURCE_DATA_DIR) + "/" + name, image, error))
      << name << ": " << error;
  return image;
}

struct DataFiles : ::testing::Test {
  Image background = Load("h16.bmp");
  Image chosen = Load("h11.bmp");
  Image blank = Load("h10.bmp");
  Image pressed = Load("h9.bmp");
  Image rising = Load("h12.bmp");
  Image falling = Load("h13.bmp");
  std::array<Image, 11> tiles = MakeTileSet();

  // The background's pixel at a window position.
  Color Back(int x, int y) const {
    return ColorOf(background.At(x - kBackgroundAt, y - kBackgroundAt));
  }
  // How many pixels of the image differ from the background drawn at (8, 8), the image being
  // drawn with its top-left corner at window position (x, y).
  int DiffersFromBackground(const Image& image, int x, int y) const {
    return Differences(background, x - kBackgroundAt, y - kBackgroundAt, image);
  }
};

TEST_F(DataFiles, SizesFitTheirPlacesInTheWindow) {
  // The background covers x 8..603 and y 8..453 and stays inside the window.
  EXPECT_GE(background.width, 596);
  EXPECT_GE(background.height, 446);
  EXPECT_LE(kBackgroundAt + background.width, kClientWidth);
  EXPECT_LE(kBackgroundAt + background.height, kClientHeight);
  // A mark stays inside the frame's interior, x 471..602 and y top + 1..top + 25.
  for (const Image* mark : {&chosen, &blank}) {
    EXPECT_GE(mark->width, 1);
    EXPECT_LE(mark->width, 131);
    EXPECT_LE(mark->height, 21);
  }
  // The blank mark wipes out everything the chosen mark paints.
  EXPECT_GE(blank.width, chosen.width);
  EXPECT_GE(blank.height, chosen.height);
  // The pressed start box, drawn at (478, 344), covers the box x 481..599, y 346..377.
  EXPECT_GE(478 + pressed.width - 1, 599);
  EXPECT_GE(344 + pressed.height - 1, 377);
  for (const Image* patch : {&rising, &falling}) {
    EXPECT_GE(patch->width, 2 * kTileSize + 1);
    EXPECT_GE(patch->height, 2 * kTileSize + 1);
  }
}

TEST_F(DataFiles, BackgroundSquaresMatchTheRepairTiles) {
  for (int row = 2; row <= 9; ++row) {
    for (int col = 2; col <= 9; ++col) {
      const bool dark = (row + col) % 2 == 1;
      const Image& tile = tiles[dark ? tile::kDark : tile::kLight];
      EXPECT_EQ(DiffersFromBackground(tile, TForm3::SquareX(col), TForm3::SquareY(row)), 0)
          << "square (" << row << ", " << col << ")";
    }
  }
  // The lines between squares are not the colour of either square, so that every square shows
  // its own edge.
  const Color line = Back(TForm3::SquareX(3) - 1, TForm3::SquareY(2) + 20);
  EXPECT_NE(line, kDarkSquare);
  EXPECT_NE(line, kLightSquare);
}

TEST_F(DataFiles, PanelShowsEveryBoxEmptyAndTheStartBoxReleased) {
  for (const auto& [top, command] : layout::kOptionBoxes) {
    EXPECT_EQ(DiffersFromBackground(blank, 472, top + 5), 0) << "frame at " << top;
    EXPECT_GT(DiffersFromBackground(chosen, 472, top + 5), 0) << "frame at " << top;
  }
  // Pressing the start box changes how the box looks, and nothing around it.
  int inside = 0, outside = 0;
  for (int y = 0; y < pressed.height; ++y) {
    for (int x = 0; x < pressed.width; ++x) {
      const int wx = 478 + x, wy = 344 + y;
      const bool differs = ColorOf(pressed.At(x, y)) != Back(wx, wy);
      const bool in_box = wx >= 481 && wx <= 599 && wy >= 346 && wy <= 377;
      (in_box ? inside : outside) += differs ? 1 : 0;
    }
  }
  EXPECT_GT(inside, 200);
  EXPECT_EQ(outside, 0);
  // The result block is drawn over x 455..613, y 0..84 after a game; during a game that
  // place is plain window colour, so nothing written there can be mistaken for a result.
  for (int y = kBackgroundAt; y <= 84; ++y)
    for (int x = 455; x <= 613; ++x)
      if (x - kBackgroundAt < background.width) {
        ASSERT_EQ(Back(x, y), kOlive) << x << "," << y;
      }
}

TEST_F(DataFiles, PatchesAreTheEmptyBoardBlocksTheyRestore) {
  // Every 2 by 2 block of the board is one of the two kinds; the animation may lay a patch on
  // any of them.
  for (int row = 2; row <= 8; ++row) {
    for (int col = 2; col <= 8; ++col) {
      const bool top_left_dark = (row + col) % 2 == 1;
      const Image& patch = top_left_dark ? falling : rising;
      const int x = TForm3::SquareX(col), y = TForm3::SquareY(row);
      EXPECT_EQ(DiffersFromBackground(patch, x, y), 0) << "block at (" << row << ", " << col << ")";
    }
  }
  // Rising: dark squares bottom-left and top-right.
  EXPECT_EQ(ColorOf(rising.At(10, 10)), kLightSquare);
  EXPECT_EQ(ColorOf(rising.At(64, 10)), kDarkSquare);
  EXPECT_EQ(ColorOf(rising.At(10, 64)), kDarkSquare);
  EXPECT_EQ(ColorOf(falling.At(10, 10)), kDarkSquare);
  EXPECT_EQ(ColorOf(falling.At(64, 64)), kDarkSquare);
}

// The packaging installs these by name; each must be a PNG of its size with an alpha channel.
TEST(Icons, ArePngFilesOfTheirSizesWithAlpha) {
  for (int size : {64, 128, 256}) {
    const std::string path =
        std::string(VORLASK_SOURCE_DATA_DIR) + "/icons/vorlask-" + std::to_string(size) + ".png";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::array<unsigned char, 26> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    ASSERT_TRUE(in) << path;
    const std::array<unsigned char, 8> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), head.begin())) << path;
    EXPECT_EQ(std::string(head.begin() + 12, head.begin() + 16), "IHDR");
    const auto be32 = [&](std::size_t at) {
      std::uint32_t v = 0;
      for (std::size_t i = at; i < at + 4; ++i)
        v = v << 8 | head[i];
      return v;
    };
    EXPECT_EQ(be32(16), static_cast<std::uint32_t>(size)) << path;
    EXPECT_EQ(be32(20), static_cast<std::uint32_t>(size)) << path;
    EXPECT_EQ(head[24], 8) << "bits per channel";
    EXPECT_EQ(head[25], 6) << "RGBA";
  }
}

}  // namespace
}  // namespace vorlask::testing
