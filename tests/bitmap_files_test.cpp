// Every kind of bitmap the game reads, through the same checked path as its data files: each
// gives the picture it holds, and each header field that could size a buffer wrongly is refused.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "checks/bitmap_check.h"
#include "platform/sdl/bmp_file.h"
#include "support/temp_folder.h"

namespace vorlask::testing {
namespace {

namespace fs = std::filesystem;

// A small bitmap file written field by field, so that every kind the game reads can be made.
struct BmpWriter {
  std::vector<unsigned char> bytes;
  void U16(std::uint32_t v) {
    for (int i = 0; i < 2; ++i)
      bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
  }
  void Raw(std::initializer_list<unsigned> values) {
    for (unsigned v : values)
      bytes.push_back(static_cast<unsigned char>(v));
  }
};

// A file with the common header: `extra` (palette or masks) and then `pixels`.
std::vector<unsigned char> CommonBmp(int width, int height, int bits, int compression,
                                     std::initializer_list<unsigned> extra, std::uint32_t colours,
                                     std::initializer_list<unsigned> pixels) {
  BmpWriter w;
  const auto offset = static_cast<std::uint32_t>(54 + extra.size());
  w.Raw({'B', 'M'});
  w.U32(static_cast<std::uint32_t>(offset + pixels.size()));
  w.U32(0);
  w.U32(offset);
  w.U32(40);
  w.U32(static_cast<std::uint32_t>(width));
  w.U32(static_cast<std::uint32_t>(height));
  w.U16(1);
  w.U16(static_cast<std::uint32_t>(bits));
  w.U32(static_cast<std::uint32_t>(compression));
  w.U32(static_cast<std::uint32_t>(pixels.size()));
  w.U32(2835);
  w.U32(2835);
  w.U32(colours);
  w.U32(0);
  w.Raw(extra);
  w.Raw(pixels);
  return w.bytes;
}

// Every kind of bitmap reads as the same 4 by 2 picture: dark blue (0, 0, 128) everywhere
// but for white at (1, 0) and (2, 1), the top row first.
TEST(BmpFiles, EveryKindTheGameReadsGivesThePictureItHolds) {
  struct Case {
    const char* name;
    std::vector<unsigned char> bytes;
  };
  // Palette: 0 dark blue, 1 white (blue, green, red, unused).
  const std::initializer_list<unsigned> palette = {128, 0, 0, 0, 255, 255, 255, 0};
  const Case cases[] = {
      {"1 bit", CommonBmp(4, 2, 1, 0, palette, 2, {0x20, 0, 0, 0, 0x40, 0, 0, 0})},
      {"4 bits", CommonBmp(4, 2, 4, 0, palette, 2, {0x00, 0x10, 0, 0, 0x01, 0x00, 0, 0})},
      {"8 bits, top down", CommonBmp(4, -2, 8, 0, palette, 2, {0, 1, 0, 0, 0, 0, 1, 0})},
      {"8 bits, run lengths",
       CommonBmp(4, 2, 8, 1, palette, 2, {2, 0, 1, 1, 1, 0, 0, 0, 1, 0, 1, 1, 2, 0, 0, 1})},
      {"4 bits, run lengths", CommonBmp(4, 2, 4, 2, palette, 2,
                                        {2, 0x00, 1, 0x10, 1, 0x00, 0, 0, 2, 0x01, 2, 0x00, 0, 1})},
      {"16 bits", CommonBmp(4, 2, 16, 0, {}, 0,
                            {0x10, 0, 0x10, 0, 0xFF, 0x7F, 0x10, 0,  //
                             0x10, 0, 0xFF, 0x7F, 0x10, 0, 0x10, 0})},
      {"32 bits with colour masks",
       CommonBmp(4, 2, 32, 3, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0}, 0,
                 {128, 0, 0, 0, 128, 0,   0,   0, 255, 255, 255, 0, 128, 0, 0, 0,  //
                  128, 0, 0, 0, 255, 255, 255, 0, 128, 0,   0,   0, 128, 0, 0, 0})},
  };
  const TempFolder temp;
  const fs::path file = temp.Path() / "kind.bmp";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(file, c.bytes);
    Image image;
    std::string error;
    ASSERT_TRUE(LoadBmpFile(file.string(), image, error)) << error;
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 4; ++x) {
        const bool white = (x == 1 && y == 0) || (x == 2 && y == 1);
        // Five bits a channel: 0x10 of blue reads as 128 or 132, depending on the scaling.
        const Color got = ColorOf(image.At(x, y));
        const Color want = white ? kWhite : Color{0, 0, 128};
        EXPECT_EQ(got.r, want.r) << x << "," << y;
        EXPECT_EQ(got.g, want.g) << x << "," << y;
        EXPECT_NEAR(got.b, want.b, 4) << x << "," << y;
      }
    }
  }
}

// The header fields that size buffers, each pushed past what is sound: every one is refused
// before anything is allocated from it.
TEST(BmpFiles, HeaderFieldsThatWouldSizeBuffersWronglyAreRefused) {
  const std::vector<unsigned char> good =
      CommonBmp(4, 2, 8, 0, {128, 0, 0, 0, 255, 255, 255, 0}, 2, {0, 1, 0, 0, 0, 0, 1, 0});
  auto with = [&](std::size_t at, std::uint32_t v) {
    std::vector<unsigned char> b = good;
    for (std::size_t i = 0; i < 4; ++i)
      b.at(at + i) = static_cast<unsigned char>(v >> (8 * i));
    return b;
  };
  struct Case {
    const char* name;
    std::vector<unsigned char> bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"header length wraps", with(14, 0xFFFFFFFFu), "unknown length"},
      {"header longer than the file", with(14, 120), "cut short"},
      {"pixels inside the header", with(10, 26), "inside its header"},
      {"pixels past the end", with(10, 0xFFFFFFF0u), "cut short"},
      {"palette larger than its depth", with(46, 257), "palette claims"},
      {"palette past the end", with(46, 200), "cut short"},
      {"width too large", with(18, 4097), "4097 by 2"},
      {"height too large", with(22, 4097), "4 by 4097"},
      {"height the most negative", with(22, 0x80000000u), "by -2147483648"},
      {"compression unknown", with(30, 7), "compression 7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BitmapLayout layout;
    const std::string problem =
        BitmapProblem(c.bytes.data(), c.bytes.size(), c.bytes.size(), layout);
    EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
  }
  BitmapLayout layout;
  // The old header's sides are unsigned, as the decoder reads them: 0xFFFF rows, not one row
  // stored top down.
  const std::vector<unsigned char> core = ReadBytes(
      fs::path(VORLASK_SOURCE_DIR) / "tests" / "hostile" / "core-1-bit-claims-2064-by-65535.bmp");
  EXPECT_NE(BitmapProblem(core.data(), core.size(), core.size(), layout).find("2064 by 65535"),
            std::string::npos);
  EXPECT_EQ(BitmapProblem(good.data(), good.size(), good.size(), layout), "");
  EXPECT_EQ(layout.colours, 2u);
  // Both sides within bounds, yet one row too many pixels together; at the bound it is sound.
  std::vector<unsigned char> big = with(18, kMaxBitmapSide);
  const auto rows = static_cast<std::uint32_t>(kMaxBitmapPixels / kMaxBitmapSide);
  for (std::size_t i = 0; i < 4; ++i)
    big.at(22 + i) = static_cast<unsigned char>((rows + 1) >> (8 * i));
  EXPECT_NE(BitmapProblem(big.data(), big.size(), 62 + std::uint64_t(kMaxBitmapPixels), layout)
                .find("claims a picture"),
            std::string::npos);
  for (std::size_t i = 0; i < 4; ++i)
    big.at(22 + i) = static_cast<unsigned char>(rows >> (8 * i));
  EXPECT_EQ(BitmapProblem(big.data(), big.size(), 62 + std::uint64_t(kMaxBitmapPixels), layout),
            "");
}

// Pictures in the bitmap formats start-up reads itself: 24 bits, 32 bits and
// 8 bits with a palette; a cut-off file is refused with a reason.
TEST(BmpFiles, PlainFormatsReadBackExactlyAndDamageIsReported) {
  const TempFolder temp;
  const std::string dir = temp.Path().string();
  Image picture(7, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x)
      picture.Set(x, y, 0xFF000000u | (x * 0x250000u) | (y * 0x3100u) | 0x11u);
  }
  std::string error;
  const std::string bmp24 = dir + "/vorlask_24.bmp";
  ASSERT_TRUE(SaveBmpFile(bmp24, picture, error)) << error;
  Image read;
  ASSERT_TRUE(LoadBmpFile(bmp24, read, error)) << error;
  EXPECT_EQ(read.width, 7);
  EXPECT_EQ(read.height, 5);
  EXPECT_EQ(read.pixels, picture.pixels);

  // 32 bits, with the alpha channel SDL writes.
  SDL_Surface* s32 = SDL_CreateRGBSurfaceWithFormat(0, 7, 5, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s32, nullptr);
  for (int y = 0; y < 5; ++y) {
    std::memcpy(static_cast<Uint8*>(s32->pixels) + y * s32->pitch, &picture.pixels[y * 7], 28);
  }
  const std::string bmp32 = dir + "/vorlask_32.bmp";
  ASSERT_EQ(SDL_SaveBMP(s32, bmp32.c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s32);
  ASSERT_TRUE(LoadBmpFile(bmp32, read, error)) << error;
  EXPECT_EQ(read.pixels, picture.pixels);

  SDL_Surface* s8 = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 8, SDL_PIXELFORMAT_INDEX8);
  ASSERT_NE(s8, nullptr);
  const SDL_Color colours[2] = {{10, 20, 30, 255}, {200, 100, 0, 255}};
  SDL_SetPaletteColors(s8->format->palette, colours, 0, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x)
      static_cast<Uint8*>(s8->pixels)[y * s8->pitch + x] = (x + y) % 2;
  }
  const std::string bmp8 = dir + "/vorlask_8.bmp";
  ASSERT_EQ(SDL_SaveBMP(s8, bmp8.c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s8);
  ASSERT_TRUE(LoadBmpFile(bmp8, read, error)) << error;
  ASSERT_EQ(read.width, 3);
  EXPECT_EQ(read.At(0, 0), 0xFF0A141Eu);
  EXPECT_EQ(read.At(1, 0), 0xFFC86400u);
  EXPECT_EQ(read.At(0, 1), 0xFFC86400u);

  std::filesystem::resize_file(bmp24, std::filesystem::file_size(bmp24) - 10);
  error.clear();
  EXPECT_FALSE(LoadBmpFile(bmp24, read, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(LoadBmpFile(dir + "/vorlask_none.bmp", read, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vorlask::testing
