// Crafted data files that once crashed the start, or cost gigabytes before they were refused,
// and the other kinds of bitmap the game still reads through the same checked path.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "checks/bitmap_check.h"
#include "checks/tune_check.h"
#include "platform/sdl/bmp_file.h"
#include "platform/sdl/sdl_platform.h"
#include "support/fake_platform.h"

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

// A Standard MIDI File of one track: its header (6 bytes long unless told), then the track's
// bytes as given, which end the track themselves.
std::vector<unsigned char> Midi(std::vector<unsigned char> track, unsigned division = 480,
                                unsigned header = 6) {
  std::vector<unsigned char> b = {'M',
                                  'T',
                                  'h',
                                  'd',
                                  0,
                                  0,
                                  0,
                                  static_cast<unsigned char>(header),
                                  0,
                                  1,
                                  0,
                                  1,
                                  static_cast<unsigned char>(division >> 8),
                                  static_cast<unsigned char>(division)};
  b.resize(8 + header);
  for (unsigned char c : {'M', 'T', 'r', 'k'})
    b.push_back(c);
  for (int shift = 24; shift >= 0; shift -= 8)
    b.push_back(static_cast<unsigned char>(track.size() >> shift));
  b.insert(b.end(), track.begin(), track.end());
  return b;
}

// The same with the end of the track added.
std::vector<unsigned char> Tune(std::vector<unsigned char> events, unsigned division = 480) {
  for (unsigned char c : {0x00, 0xFF, 0x2F, 0x00})
    events.push_back(c);
  return Midi(events, division);
}

// `count` events of three bytes each, the first `first` ticks after what went before and the
// others `gap` ticks apart, by running status.
std::vector<unsigned char> Events(unsigned status, std::size_t count, unsigned char first = 0,
                                  unsigned char gap = 0) {
  std::vector<unsigned char> e = {first, static_cast<unsigned char>(status), 60, 64};
  for (std::size_t i = 1; i < count; ++i) {
    e.insert(e.end(), {gap, static_cast<unsigned char>(40 + i % 40), 64});
  }
  return e;
}

std::vector<unsigned char> Join(std::vector<unsigned char> a, const std::vector<unsigned char>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Every rule the synthesizer relies on, each broken by a tune of its own, and the reason the
// check gives; the crafted files kept here, and the game's own tunes, which pass.
TEST(HostileTunes, EachBreachOfTheRulesIsNamedAndTheBoundsHoldExactly) {
  std::vector<unsigned char> past_count;  // nine of the longest times, each before a text
  for (int i = 0; i < 9; ++i)
    past_count.insert(past_count.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
  struct Case {
    const char* name;
    std::vector<unsigned char> bytes;
    const char* reason;  // "" for a tune that passes
  };
  const Case cases[] = {
      {"a time of five bytes", Tune({0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 64}), "too long"},
      {"data before any status", Tune({0x00, 60, 64}), "without a status"},
      {"running status across a meta event",
       Tune({0x00, 0x90, 60, 64, 0x00, 0xFF, 0x01, 0x00, 0x00, 60, 0}), "without a status"},
      {"a meta event past its chunk", Tune({0x00, 0xFF, 0x01, 0x7F, 'x'}), "runs past its end"},
      {"a system-exclusive past its chunk", Tune({0x00, 0xF0, 0x8F, 0x7F}), "runs past its end"},
      {"a tempo of zero", Tune({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}), "tempo that is zero"},
      {"a data byte out of range", Tune({0x00, 0x90, 60, 0x80}), "out of range"},
      {"a real-time byte", Tune({0x00, 0xF8}), "cannot hold"},
      {"time in frames", Tune({}, 0xE728), "frames of a second"},
      {"no ticks a beat", Tune({}, 0), "no ticks"},
      {"a header of 7 bytes", Midi({0x00, 0xFF, 0x2F, 0x00}, 480, 7), "header is 7 bytes"},
      {"more ticks than the synthesizer counts", Tune(Join(past_count, {0x90, 60, 64})),
       "longer than the synthesizer can count"},
      {"events after the end", Midi({0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 60, 64}),
       "goes on after its end"},
      {"no end", Midi({0x00, 0x90, 60, 64}), "does not end"},
      {"more events than the bound", Tune(Events(0x80, kMaxTuneEvents, 0, 1)),
       "more than 16384 events"},
      {"a file past the bound", Tune(std::vector<unsigned char>(kMaxTuneBytes, 0)),
       "more than any tune"},
      {"32 notes at once, 10 ms apart", Tune(Join(Events(0x90, 32), Events(0x90, 32, 10))), ""},
      {"33 notes at once", Tune(Events(0x90, 33)), "starts 33 notes within 10 ms"},
      {"33 notes a tick apart at a fast tempo",
       Tune(Join({0x00, 0xFF, 0x51, 0x03, 0x00, 0x03, 0xE8}, Events(0x90, 33, 0, 1))),
       "starts 33 notes within 10 ms"},
      {"128 controllers before any note", Tune(Events(0xB0, 128)), ""},
      {"32 pitch bends at once over 64 voices", Tune(Join(Events(0x90, 32), Events(0xE0, 32, 20))),
       ""},
      {"33 pitch bends at once over 64 voices", Tune(Join(Events(0x90, 32), Events(0xE0, 33, 20))),
       "asks the synthesizer for 8448 changes to its voices within 10 ms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string problem = TuneProblem(c.bytes.data(), c.bytes.size());
    if (*c.reason == '\0') {
      EXPECT_EQ(problem, "");
    } else {
      EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
    }
  }
  const std::pair<fs::path, const char*> files[] = {
      {kHostile / "zero-tracks.mid", "declares 0 tracks"},
      {kHostile / "notes-at-once-16KiB.mid", "notes within 10 ms"},
      {kHostile / "densest-allowed.mid", ""},
      {kHostile / "pitch-bends-over-256-voices.mid", "changes to its voices within 10 ms"},
      {fs::path(VORLASK_SOURCE_DATA_DIR) / "entrtanr.mid", ""},
      {fs::path(VORLASK_SOURCE_DATA_DIR) / "hellomyb.mid", ""},
      {fs::path(VORLASK_SOURCE_DATA_DIR) / "maplerag.mid", ""},
  };
  for (const auto& [file, reason] : files) {
    SCOPED_TRACE(file.string());
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    const std::string problem = TuneProblem(bytes.data(), bytes.size());
    EXPECT_TRUE(*reason == '\0' ? problem.empty() : problem.find(reason) != std::string::npos)
        << problem;
  }
}

}  // namespace
}  // namespace vorlask::testing
