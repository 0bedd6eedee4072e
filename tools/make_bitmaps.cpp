// Makes the six bitmap files of the data folder from code: the background with the board and
// the side panel, the option marks, the pressed start box and the two board patches.
//
// The files are made by hand and committed, so that building the game needs no font and the
// pictures only change when someone means them to:
//   build/make_bitmaps data
// Run it again after changing a colour in ui/tiles.h or anything here, look at the result, and
// commit the new files together with the change.
//
// Everything is drawn into one picture of the whole window, in window coordinates, and the
// files are cut out of it; that way the patches, the marks and the start box are the very
// pixels of the background they stand in for.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/sdl/bmp_file.h"
#include "platform/sdl/system.h"
#include "platform/sdl/ttf_text.h"
#include "tools/output_folder.h"
#include "ui/form.h"
#include "ui/tiles.h"

using namespace vorlask;

namespace {

// Where the background is drawn in the window, and how far it reaches: everything but the
// window's own 8-pixel strips along the left and top edges.
constexpr int kBackgroundX = layout::kBackgroundX;
constexpr int kBackgroundY = layout::kBackgroundY;

// Panel geometry, as the game draws it.
constexpr int kFrameLeft = layout::kBoxLeft;
constexpr int kFrameRight = layout::kBoxLeft + layout::kBoxWidth;
constexpr int kFrameHeight = layout::kBoxHeight;
constexpr int kMarkX = layout::kMarkX;
constexpr int kMarkDy = layout::kMarkDy;
// The start box's picture covers the pixels that answer to a click, and no more.
constexpr int kStartLeft = layout::kStartLeft + 1, kStartTop = layout::kStartTop + 1;
constexpr int kStartRight = layout::kStartRight - 1, kStartBottom = layout::kStartBottom - 1;
constexpr int kPressedX = layout::kPressedX, kPressedY = layout::kPressedY;

// The mark: a check box, 20 by 17 pixels, whose 15-pixel box sits as far from the frame's
// left edge as from its top and bottom.
constexpr int kMarkWidth = 20;
constexpr int kMarkHeight = 17;
constexpr int kBoxX = 4;
constexpr int kBoxY = 1;
constexpr int kBoxSide = 15;

// Where a label starts and where the key cap stands, inside a frame.
constexpr int kLabelX = kMarkX + kMarkWidth + 5;
constexpr int kKeyCapRight = 600;

// Colours of the panel; the window is olive and its text navy.
constexpr Color kBoxFill = kWhite;
constexpr Color kGridLine{60, 60, 0};
constexpr Color kBoardRimLight{168, 168, 48};
constexpr Color kBoardRimDark{40, 40, 0};
constexpr Color kBoardRimShade{88, 88, 0};
constexpr Color kKeyFace{236, 236, 224};
constexpr Color kKeyBottom{196, 196, 180};
constexpr Color kKeyEdge{96, 96, 128};
constexpr Color kButtonFace{244, 244, 228};
constexpr Color kButtonPressedFace{226, 226, 206};
constexpr Color kButtonShadow{150, 150, 120};

class Picture {
 public:
  Picture(int w, int h, Color c) : image_(w, h, Pixel(c)) {}
  Image& image() { return image_; }
  const Image& image() const { return image_; }

  void Put(int x, int y, Color c) {
    if (image_.Contains(x, y)) image_.Set(x, y, Pixel(c));
  }
  Color At(int x, int y) const { return ColorOf(image_.At(x, y)); }
  // Right and bottom inclusive.
  void Fill(int x1, int y1, int x2, int y2, Color c) {
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x)
        Put(x, y, c);
  }
  void Outline(int x1, int y1, int x2, int y2, Color c) {
    Fill(x1, y1, x2, y1, c);
    Fill(x1, y2, x2, y2, c);
    Fill(x1, y1, x1, y2, c);
    Fill(x2, y1, x2, y2, c);
  }
  // Pixels of an image whose colour differs from the background it was rendered on.
  void Blit(int x, int y, const Image& src, Color background) {
    for (int yy = 0; yy < src.height; ++yy)
      for (int xx = 0; xx < src.width; ++xx)
        if (ColorOf(src.At(xx, yy)) != background) Put(x + xx, y + yy, ColorOf(src.At(xx, yy)));
  }
  Image Crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int yy = 0; yy < h; ++yy)
      for (int xx = 0; xx < w; ++xx)
        out.Set(xx, yy, image_.At(x + xx, y + yy));
    return out;
  }

 private:
  Image image_;
};

// Text with its ink placed by the capital letters, so that labels of different words line up
// on one baseline and sit in the middle of their boxes.
class Writer {
 public:
  explicit Writer(TtfTextRenderer& r) : renderer_(r) {}

  struct Ink {
    Image image;
    int cap_top = 0;          // first row of a capital letter within the image
    int baseline = 0;         // first row below a capital letter
    int left = 0, right = 0;  // first and last column with ink
  };

  Ink Render(const std::string& text, int height, Color ink, Color background) {
    Font font;
    font.height = height;
    font.color = ink;
    Ink out;
    out.image = renderer_.Render(text, font, background);
    const Image capital = renderer_.Render("H", font, background);
    Rows(capital, background, out.cap_top, out.baseline);
    out.left = out.image.width;
    out.right = -1;
    for (int y = 0; y < out.image.height; ++y)
      for (int x = 0; x < out.image.width; ++x)
        if (ColorOf(out.image.At(x, y)) != background) {
          out.left = std::min(out.left, x);
          out.right = std::max(out.right, x);
        }
    return out;
  }

  // Writes text with the top of its capitals at cap_y and its ink starting at x.
  void Write(Picture& p, int x, int cap_y, const std::string& text, int height, Color ink,
             Color background) {
    const Ink t = Render(text, height, ink, background);
    p.Blit(x - t.left, cap_y - t.cap_top, t.image, background);
  }
  // Writes text centred between x1 and x2 with its capitals centred between y1 and y2.
  void Centre(Picture& p, int x1, int y1, int x2, int y2, const std::string& text, int height,
              Color ink, Color background) {
    const Ink t = Render(text, height, ink, background);
    const int w = t.right - t.left + 1;
    const int h = t.baseline - t.cap_top;
    p.Blit(x1 + (x2 - x1 + 1 - w) / 2 - t.left, y1 + (y2 - y1 + 1 - h) / 2 - t.cap_top, t.image,
           background);
  }
  int Width(const std::string& text, int height) {
    const Ink t = Render(text, height, kNavy, kWhite);
    return t.right - t.left + 1;
  }

 private:
  static void Rows(const Image& img, Color background, int& first, int& end) {
    first = img.height;
    end = 0;
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x)
        if (ColorOf(img.At(x, y)) != background) {
          first = std::min(first, y);
          end = std::max(end, y + 1);
        }
  }

  TtfTextRenderer& renderer_;
};

// Colours a pixel by the share of its area inside a shape, sampled 8 by 8 times.
void Shade(Picture& p, int x1, int y1, int x2, int y2, Color ink,
           const std::function<bool(double, double)>& inside) {
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) {
      int n = 0;
      for (int sy = 0; sy < 8; ++sy)
        for (int sx = 0; sx < 8; ++sx)
          if (inside(x + (sx + 0.5) / 8, y + (sy + 0.5) / 8)) ++n;
      if (n == 0) continue;
      const Color under = p.At(x, y);
      auto mix = [n](int a, int b) {
        return static_cast<std::uint8_t>((a * n + b * (64 - n) + 32) / 64);
      };
      p.Put(x, y, Color{mix(ink.r, under.r), mix(ink.g, under.g), mix(ink.b, under.b)});
    }
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

// A key of the keyboard, with its letter, standing right of an option's label.
void KeyCap(Picture& p, Writer& w, int x1, int y1, int x2, int y2, const std::string& letter,
            Color around) {
  p.Fill(x1, y1, x2, y2, kKeyEdge);
  p.Fill(x1 + 1, y1 + 1, x2 - 1, y2 - 1, kKeyBottom);
  p.Fill(x1 + 1, y1 + 1, x2 - 1, y2 - 3, kKeyFace);
  for (int x : {x1, x2})
    for (int y : {y1, y2})
      p.Put(x, y, around);
  w.Centre(p, x1 + 1, y1 + 1, x2 - 1, y2 - 3, letter, 11, kNavy, kKeyFace);
}

// The empty check box of every option, as BlankMark and the background show it.
void EmptyBox(Picture& p, int x, int y) {
  p.Fill(x, y, x + kMarkWidth - 1, y + kMarkHeight - 1, kBoxFill);
  const int bx = x + kBoxX, by = y + kBoxY;
  p.Outline(bx, by, bx + kBoxSide - 1, by + kBoxSide - 1, kNavy);
  // A faint inner shadow along the top and left makes the box look pressed into the panel.
  p.Fill(bx + 1, by + 1, bx + kBoxSide - 2, by + 1, Color{208, 208, 216});
  p.Fill(bx + 1, by + 2, bx + 1, by + kBoxSide - 2, Color{208, 208, 216});
}

// The ticked box of a chosen option.
void TickedBox(Picture& p, int x, int y) {
  p.Fill(x, y, x + kMarkWidth - 1, y + kMarkHeight - 1, kBoxFill);
  const int bx = x + kBoxX, by = y + kBoxY;
  p.Fill(bx, by, bx + kBoxSide - 1, by + kBoxSide - 1, kNavy);
  for (int cx : {bx, bx + kBoxSide - 1})
    for (int cy : {by, by + kBoxSide - 1})
      p.Put(cx, cy, Color{128, 128, 192});
  Shade(p, bx + 1, by + 1, bx + kBoxSide - 2, by + kBoxSide - 2, kWhite,
        [bx, by](double px, double py) {
          const double u = px - bx, v = py - by;
          return std::min(SegmentDistance(u, v, 3.6, 7.6, 6.4, 10.6),
                          SegmentDistance(u, v, 6.4, 10.6, 11.6, 4.2)) <= 1.25;
        });
}

void OptionBox(Picture& p, Writer& w, int top, const std::string& label, const std::string& key) {
  p.Fill(kFrameLeft + 1, top + 1, kFrameRight - 1, top + kFrameHeight - 1, kBoxFill);
  p.Outline(kFrameLeft, top, kFrameRight, top + kFrameHeight, kNavy);
  EmptyBox(p, kMarkX, top + kMarkDy);
  w.Write(p, kLabelX, top + 8, label, 15, kNavy, kBoxFill);
  KeyCap(p, w, kKeyCapRight - 14, top + 5, kKeyCapRight, top + 21, key, kBoxFill);
}

void Heading(Picture& p, Writer& w, int cap_y, const std::string& text) {
  w.Write(p, kFrameLeft, cap_y, text, 15, kNavy, kOlive);
}

// The start box, released or pressed; pressed, its face sinks and its writing moves with it.
void StartBox(Picture& p, Writer& w, bool pressed) {
  const int x1 = kStartLeft, y1 = kStartTop, x2 = kStartRight, y2 = kStartBottom;
  const Color face = pressed ? kButtonPressedFace : kButtonFace;
  p.Fill(x1, y1, x2, y2, kNavy);
  for (int x : {x1, x2})
    for (int y : {y1, y2})
      p.Put(x, y, kOlive);
  p.Fill(x1 + 1, y1 + 1, x2 - 1, y2 - 1, face);
  if (pressed) {
    p.Fill(x1 + 1, y1 + 1, x2 - 1, y1 + 2, kButtonShadow);
    p.Fill(x1 + 1, y1 + 1, x1 + 2, y2 - 1, kButtonShadow);
  } else {
    p.Fill(x1 + 1, y1 + 1, x2 - 1, y1 + 1, kWhite);
    p.Fill(x1 + 1, y1 + 1, x1 + 1, y2 - 1, kWhite);
    p.Fill(x1 + 1, y2 - 2, x2 - 1, y2 - 1, kButtonShadow);
    p.Fill(x2 - 2, y1 + 1, x2 - 1, y2 - 1, kButtonShadow);
  }
  const int d = pressed ? 1 : 0;
  const std::string label = "New game";
  const int key_w = 15, gap = 8;
  const int text_w = w.Width(label, 16);
  const int left = x1 + (x2 - x1 + 1 - (text_w + gap + key_w)) / 2 + d;
  const int mid = (y1 + y2) / 2 + d;
  w.Write(p, left, mid - 5, label, 16, kNavy, face);
  KeyCap(p, w, left + text_w + gap, mid - 8, left + text_w + gap + key_w - 1, mid + 8, "N", face);
}

// The board: 64 squares in the colours of the tiles that repair them, 1-pixel lines between
// them, a rim around it and the names of the files and ranks.
void Board(Picture& p, Writer& w) {
  const int x1 = TForm3::SquareX(2) - 1, y1 = TForm3::SquareY(2) - 1;
  const int x2 = TForm3::SquareX(9) + kTileSize, y2 = TForm3::SquareY(9) + kTileSize;
  p.Fill(x1, y1, x2, y2, kGridLine);
  // The rim: the outermost lines of the board lit from the upper left, in a dark edge. It
  // keeps clear of x 455 and beyond, where the result block stands after a game.
  p.Outline(x1 - 1, y1 - 1, x2 + 1, y2 + 1, kBoardRimDark);
  p.Outline(x1, y1, x2, y2, kBoardRimShade);
  p.Fill(x1, y1, x2 - 1, y1, kBoardRimLight);
  p.Fill(x1, y1, x1, y2 - 1, kBoardRimLight);
  for (int row = 2; row <= 9; ++row)
    for (int col = 2; col <= 9; ++col) {
      const int x = TForm3::SquareX(col), y = TForm3::SquareY(row);
      p.Fill(x, y, x + kTileSize - 1, y + kTileSize - 1,
             (row + col) % 2 == 1 ? kDarkSquare : kLightSquare);
    }
  // Files a to h left to right; ranks 1 to 8 from the hunters' home row up, so that the wolf's
  // start squares can be named on the panel.
  for (int col = 2; col <= 9; ++col) {
    const int x = TForm3::SquareX(col);
    w.Centre(p, x, y2 + 5, x + kTileSize - 1, y2 + 13,
             std::string(1, static_cast<char>('a' + col - 2)), 13, kNavy, kOlive);
  }
  for (int row = 2; row <= 9; ++row) {
    const int y = TForm3::SquareY(row);
    w.Centre(p, kBackgroundX, y, x1 - 3, y + kTileSize - 1, std::to_string(10 - row), 13, kNavy,
             kOlive);
  }
}

void Panel(Picture& p, Writer& w) {
  Heading(p, w, 102, "Play against");
  const auto& boxes = layout::kOptionBoxes;
  OptionBox(p, w, boxes[0].top, "a friend", "T");
  OptionBox(p, w, boxes[1].top, "the hunters", "H");
  OptionBox(p, w, boxes[2].top, "the wolf", "P");
  Heading(p, w, 238, "Wolf starts on");
  OptionBox(p, w, boxes[3].top, "square c3", "1");
  OptionBox(p, w, boxes[4].top, "square d4", "2");
  StartBox(p, w, false);
  OptionBox(p, w, boxes[5].top, "Music", "S");
  OptionBox(p, w, boxes[6].top, "Animation", "A");
  // How to leave, for a player who has not read anything else.
  const int esc_x = kFrameLeft, esc_y = 457;
  p.Fill(esc_x, esc_y, esc_x + 24, esc_y + 16, kKeyEdge);
  p.Fill(esc_x + 1, esc_y + 1, esc_x + 23, esc_y + 15, kKeyBottom);
  p.Fill(esc_x + 1, esc_y + 1, esc_x + 23, esc_y + 13, kKeyFace);
  for (int x : {esc_x, esc_x + 24})
    for (int y : {esc_y, esc_y + 16})
      p.Put(x, y, kOlive);
  w.Centre(p, esc_x + 1, esc_y + 1, esc_x + 23, esc_y + 13, "Esc", 11, kNavy, kKeyFace);
  w.Write(p, esc_x + 31, esc_y + 4, "quits", 15, kNavy, kOlive);
}

bool Save(const std::string& folder, const char* name, const Image& image) {
  std::string error;
  if (SaveBmpFile(folder + "/" + name, image, error)) return true;
  std::fprintf(stderr, "make_bitmaps: cannot write %s/%s: %s\n", folder.c_str(), name,
               error.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  if (!tools::OutputFolder(argc, argv, "make_bitmaps", out)) return 2;
  // The game's own font, where the platform says it is: the pictures' text is the game's.
  TtfTextRenderer renderer(FontFile());
  if (std::string error; !renderer.Ready(error)) {
    std::fprintf(stderr, "make_bitmaps: %s\n", error.c_str());
    return 1;
  }
  Writer writer(renderer);

  Picture window(kClientWidth, kClientHeight, kOlive);
  Board(window, writer);
  Panel(window, writer);

  Picture marks(kMarkWidth, 2 * kMarkHeight, kBoxFill);
  EmptyBox(marks, 0, 0);
  TickedBox(marks, 0, kMarkHeight);

  Picture pressed = window;
  StartBox(pressed, writer, true);

  // Rising: the block whose top-left square (2, 2) is light, so its dark squares are
  // bottom-left and top-right; falling: the block one column to the right.
  const int patch = 2 * kTileSize + 1;
  const Image rising = window.Crop(TForm3::SquareX(2), TForm3::SquareY(2), patch, patch);
  const Image falling = window.Crop(TForm3::SquareX(3), TForm3::SquareY(2), patch, patch);
  const Image background = window.Crop(kBackgroundX, kBackgroundY, kClientWidth - kBackgroundX,
                                       kClientHeight - kBackgroundY);
  const Image pressed_box =
      pressed.Crop(kPressedX, kPressedY, kStartRight - kPressedX + 1, kStartBottom - kPressedY + 1);

  const bool ok = Save(out, "h16.bmp", background) &&
                  Save(out, "h11.bmp", marks.Crop(0, kMarkHeight, kMarkWidth, kMarkHeight)) &&
                  Save(out, "h10.bmp", marks.Crop(0, 0, kMarkWidth, kMarkHeight)) &&
                  Save(out, "h9.bmp", pressed_box) && Save(out, "h12.bmp", rising) &&
                  Save(out, "h13.bmp", falling);
  return ok ? 0 : 1;
}
