// Makes the six bitmap files of the data folder from code: the background with the board and
// the side panel, the option marks, the pressed start box and the two board patches.
// Usage: make_bitmaps <output folder>
#include <cstdio>
#include <string>

#include "ui/sdl/bmp_file.h"
#include "ui/tiles.h"

using namespace vorlask;

namespace {

void Fill(Image& img, int x, int y, int w, int h, Color c) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx)
      if (img.Contains(xx, yy)) img.Set(xx, yy, Pixel(c));
}

// A 2 by 2 block of empty squares; rising: dark squares bottom-left and top-right.
Image Patch(bool rising) {
  Image img(107, 107, Pixel(kOlive));
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) {
      const bool dark = rising ? (r + c == 1) : (r == c);
      Fill(img, 54 * c, 54 * r, 53, 53, dark ? kDarkSquare : kLightSquare);
    }
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : "data";
  // Background drawn at (8, 8): window pixel (x, y) is background pixel (x - 8, y - 8).
  Image background(600, 450, Pixel(kOlive));
  for (int row = 2; row <= 9; ++row)
    for (int col = 2; col <= 9; ++col)
      Fill(background, 54 * col - 86 - 8, 54 * row - 85 - 8, 53, 53,
           (row + col) % 2 == 1 ? kDarkSquare : kLightSquare);
  for (int top : {123, 155, 187, 259, 291, 391, 423}) Fill(background, 471 - 8, top + 1 - 8, 132, 25, kWhite);
  Fill(background, 481 - 8, 346 - 8, 119, 32, kWhite);
  Image chosen(24, 17, Pixel(kWhite));
  Fill(chosen, 4, 3, 16, 11, kNavy);
  Image blank(24, 17, Pixel(kWhite));
  Image pressed(125, 37, Pixel(kOlive));
  Fill(pressed, 3, 2, 119, 32, Color{200, 200, 200});
  const std::pair<const char*, const Image*> files[] = {
      {"h16.bmp", &background}, {"h11.bmp", &chosen}, {"h10.bmp", &blank}, {"h9.bmp", &pressed}};
  for (const auto& [name, image] : files) {
    std::string error;
    if (!SaveBmpFile(out + "/" + name, *image, error)) {
      std::fprintf(stderr, "make_bitmaps: %s: %s\n", name, error.c_str());
      return 1;
    }
  }
  std::string error;
  if (!SaveBmpFile(out + "/h12.bmp", Patch(true), error) ||
      !SaveBmpFile(out + "/h13.bmp", Patch(false), error)) {
    std::fprintf(stderr, "make_bitmaps: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
