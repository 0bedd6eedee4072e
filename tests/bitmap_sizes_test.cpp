// The smallest pictures start-up accepts: each bitmap must cover its place in the window, so a
// file exactly that big starts the game and one a pixel narrower or shorter is refused, with
// a message that names it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl/bmp_file.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace vorlask::testing {
namespace {

// The picture cut to the given size from its top-left corner, or widened with its corner's
// colour.
Image Resized(const Image& source, int width, int height) {
  Image out(width, height, source.At(0, 0));
  for (int y = 0; y < height && y < source.height; ++y)
    for (int x = 0; x < width && x < source.width; ++x)
      out.Set(x, y, source.At(x, y));
  return out;
}

struct Size {
  int file;  // index into kBitmapFiles
  int width, height;
};

struct SizeCase {
  const char* name;
  std::vector<Size> sizes;
  bool starts;
};

// The sizes each case writes, and whether the game starts with them. The background covers
// x 8..603 and y 8..453, the pressed start box x 478..599 and y 344..377, a patch two squares
// and the line between them; a mark fits inside its frame, and the blank mark covers the chosen
// one, which is mark_w by mark_h.
std::vector<SizeCase> SizeCases(int mark_w, int mark_h) {
  return {
      {"background at its least", {{0, 596, 446}}, true},
      {"background a pixel narrower", {{0, 595, 446}}, false},
      {"background a pixel shorter", {{0, 596, 445}}, false},
      {"chosen mark of one pixel", {{1, 1, 1}}, true},
      {"marks at the most their frames hold", {{1, 131, 21}, {2, 131, 21}}, true},
      {"chosen mark a pixel wider than its frame", {{1, 132, 21}, {2, 132, 21}}, false},
      {"chosen mark a pixel taller than its frame", {{1, 131, 22}, {2, 131, 22}}, false},
      {"blank mark as big as the chosen one", {{2, mark_w, mark_h}}, true},
      {"blank mark a pixel narrower than the chosen one", {{2, mark_w - 1, mark_h}}, false},
      {"blank mark a pixel shorter than the chosen one", {{2, mark_w, mark_h - 1}}, false},
      {"pressed start box at its least", {{3, 122, 34}}, true},
      {"pressed start box a pixel narrower", {{3, 121, 34}}, false},
      {"pressed start box a pixel shorter", {{3, 122, 33}}, false},
      {"rising patch at its least", {{4, 107, 107}}, true},
      {"rising patch a pixel narrower", {{4, 106, 107}}, false},
      {"rising patch a pixel shorter", {{4, 107, 106}}, false},
      {"falling patch at its least", {{5, 107, 107}}, true},
      {"falling patch a pixel narrower", {{5, 106, 107}}, false},
      {"falling patch a pixel shorter", {{5, 107, 106}}, false},
  };
}

TEST(BitmapSizes, ExactlyTheSizeAPictureNeedsStartsAndAPixelLessIsRefused) {
  std::vector<Image> good;
  for (const char* name : kBitmapFiles) {
    std::string error;
    good.emplace_back();
    ASSERT_TRUE(LoadBmpFile(std::string(VORLASK_SOURCE_DATA_DIR) + "/" + name, good.back(), error))
        << error;
  }
  const int mark_w = good[1].width, mark_h = good[1].height;
  for (const SizeCase& c : SizeCases(mark_w, mark_h)) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    for (std::size_t i = 0; i < kBitmapFiles.size(); ++i) {
      std::filesystem::copy_file(std::string(VORLASK_SOURCE_DATA_DIR) + "/" + kBitmapFiles[i],
                                 folder.File(kBitmapFiles[i]));
    }
    for (const Size& s : c.sizes) {
      std::string error;
      ASSERT_TRUE(SaveBmpFile(folder.File(kBitmapFiles[static_cast<std::size_t>(s.file)]),
                              Resized(good[static_cast<std::size_t>(s.file)], s.width, s.height),
                              error))
          << error;
    }
    FakePlatform platform(false);
    platform.data_folders = {folder.Path().string()};
    TForm3 form(platform);
    EXPECT_EQ(form.FormCreate(), c.starts);
    if (c.starts) {
      EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
      EXPECT_EQ(form.GameActive, 1);
      continue;
    }
    ASSERT_EQ(platform.errors.size(), 1u);
    const char* named = kBitmapFiles[static_cast<std::size_t>(c.sizes.back().file)];
    if (c.sizes.size() > 1) named = kBitmapFiles[static_cast<std::size_t>(c.sizes.front().file)];
    EXPECT_NE(platform.errors[0].find(std::string("\"") + named + "\""), std::string::npos)
        << platform.errors[0];
    EXPECT_EQ(form.GameActive, 0);
  }
}

}  // namespace
}  // namespace vorlask::testing
