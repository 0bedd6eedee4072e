// Crafted data files that once crashed the start, or cost gigabytes before they were refused,
// and the other kinds of bitmap the game still reads through the same checked path.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "ui/bitmap_check.h"
#include "ui/sdl/bmp_file.h"
#include "ui/sdl/sdl_platform.h"

namespace vorlask::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path kHostile = fs::path(VORLASK_SOURCE_DIR) / "tests" / "hostile";

// Each crafted file, and the data file whose place it takes.
struct HostileBitmap {
  const char* file;
  const char* replaces;
};
constexpr HostileBitmap kHostileBitmaps[] = {
    {"h11-header-length-wraps.bmp", "h11.bmp"},
    {"h16-rle8-claims-30000-by-30000.bmp", "h16.bmp"},
    {"16-bit-claims-20000-by-20000.bmp", "h9.bmp"},
    {"h12-8-bit-claims-16777323-by-91.bmp", "h12.bmp"},
};

TEST(HostileBitmaps, AreRefusedQuicklyByTheReaderAndByStartUpNamingTheFile) {
  for (const HostileBitmap& h : kHostileBitmaps) {
    SCOPED_TRACE(h.file);
    const fs::path source = kHostile / h.file;
    ASSERT_TRUE(fs::exists(source));

    // What the prefetch does before the window exists.
    const auto start = Clock::now();
    Image image;
    std::string error;
    EXPECT_FALSE(LoadBmpFile(source.string(), image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(image.pixels.empty());

    // What start-up does with the file in its place among good ones.
    const fs::path dir = fs::path(::testing::TempDir()) / "vorlask-hostile";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* name : kBitmapFiles)
      fs::copy_file(fs::path(VORLASK_SOURCE_DATA_DIR) / name, dir / name);
    fs::copy_file(source, dir / h.replaces, fs::copy_options::overwrite_existing);
    FakePlatform platform(false);
    platform.data_folders = {dir.string()};
    TForm3 form(platform);
    EXPECT_FALSE(form.FormCreate());
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_NE(platform.errors[0].find(std::string("\"") + h.replaces + "\""), std::string::npos)
        << platform.errors[0];
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    fs::remove_all(dir);
  }
}

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
  const fs::path file = fs::path(::testing::TempDir()) / "vorlask-kind.bmp";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(c.bytes.data()),
               static_cast<std::streamsize>(c.bytes.size()));
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
  fs::remove(file);
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

TEST(HostileTunes, ATuneThatDeclaresNoTrackIsRefusedWhenOpened) {
  SdlMediaPlayer player({"/nonexistent/sound.sf2"});
  const std::string tune = (kHostile / "zero-tracks.mid").string();
  std::string error;
  EXPECT_EQ(player.Open(tune, error), MediaPlayer::OpenResult::kFileFailed);
  EXPECT_NE(error.find(tune), std::string::npos) << error;
  EXPECT_NE(error.find("declares 0 tracks"), std::string::npos) << error;
}

}  // namespace
}  // namespace vorlask::testing
