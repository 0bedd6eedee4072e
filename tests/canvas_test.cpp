// The canvas's drawing steps, pixel by pixel on a small canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/upscale.h"

namespace vorlask {
namespace {

constexpr Color kGround{10, 20, 30};
constexpr Color kPen{200, 0, 0};
constexpr Color kInk{0, 90, 0};

// A stand-in for the font: every text is a cell of 3 by 2 pixels with ink in its top-left
// corner and at its bottom-right one, on the background it is given.
class BlockText : public TextRenderer {
 public:
  Image Render(const std::string&, const Font&, Color background) override {
    Image cell(3, 2, Pixel(background));
    cell.Set(0, 0, Pixel(kInk));
    cell.Set(2, 1, Pixel(kInk));
    return cell;
  }
};

// The picture as rows of letters: '.' the ground, 'P' the pen, 'W' the white brush, 'I' ink.
std::vector<std::string> Letters(const Canvas& canvas) {
  std::vector<std::string> rows;
  const Image& p = canvas.Picture();
  for (int y = 0; y < p.height; ++y) {
    std::string row;
    for (int x = 0; x < p.width; ++x) {
      const Color c = ColorOf(p.At(x, y));
      row += c == kGround ? '.' : c == kPen ? 'P' : c == kWhite ? 'W' : c == kInk ? 'I' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(CanvasSteps, RectangleLinesAndTextPixelByPixel) {
  struct Case {
    const char* name;
    void (*draw)(Canvas&);
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"rectangle: right and bottom exclusive, outline with the pen, filled with the brush",
       [](Canvas& c) { c.Rectangle(1, 1, 6, 5); },
       {"........", ".PPPPP..", ".PWWWP..", ".PWWWP..", ".PPPPP..", "........"}},
      {"rectangle reaching past the canvas is clipped",
       [](Canvas& c) { c.Rectangle(5, 3, 10, 9); },
       {"........", "........", "........", ".....PPP", ".....PWW", ".....PWW"}},
      {"an empty rectangle draws nothing",
       [](Canvas& c) { c.Rectangle(3, 3, 3, 5); },
       {"........", "........", "........", "........", "........", "........"}},
      {"a closed outline of four lines, each without its end point",
       [](Canvas& c) {
         c.MoveTo(1, 1);
         c.LineTo(6, 1);
         c.LineTo(6, 4);
         c.LineTo(1, 4);
         c.LineTo(1, 1);
       },
       {"........", ".PPPPPP.", ".P....P.", ".P....P.", ".PPPPPP.", "........"}},
      {"a line leaves out its end point, diagonals included",
       [](Canvas& c) {
         c.MoveTo(0, 0);
         c.LineTo(4, 4);
         c.MoveTo(7, 5);
         c.LineTo(7, 2);
       },
       {"P.......", ".P......", "..P.....", "...P...P", ".......P", ".......P"}},
      {"text: its cell on the brush, clipped at the edge",
       [](Canvas& c) {
         c.TextOut(1, 1, "a");
         c.TextOut(6, 4, "b");
       },
       {"........", ".IWW....", ".WWI....", "........", "......IW", "......WW"}},
  };
  BlockText text;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(8, 6, kGround);
    canvas.SetTextRenderer(&text);
    canvas.SetPenColor(kPen);
    c.draw(canvas);
    EXPECT_EQ(Letters(canvas), c.expected);
  }
}

// Every pixel of the window becomes a square of scale by scale pixels on a dense screen; a row
// or column missed would show as a black line across the window.
TEST(Upscaling, EveryPixelBecomesASquareOfItsOwnColour) {
  Image picture(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      picture.Set(x, y, 0xFF000000u | static_cast<std::uint32_t>(0x10 * y + x + 1));
  std::vector<std::uint32_t> out(7, 0u);  // what a larger earlier picture left
  for (const int scale : {1, 2, 3}) {
    SCOPED_TRACE("scale " + std::to_string(scale));
    Upscale(picture, scale, out);
    const int wide = 5 * scale;
    ASSERT_EQ(out.size(), static_cast<std::size_t>(wide * 3 * scale));
    for (int y = 0; y < 3 * scale; ++y)
      for (int x = 0; x < wide; ++x)
        ASSERT_EQ(out[static_cast<std::size_t>(y * wide + x)], picture.At(x / scale, y / scale))
            << "at " << x << "," << y;
  }
}

}  // namespace
}  // namespace vorlask
