#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace vorlask {

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color kOlive{128, 128, 0};
inline constexpr Color kNavy{0, 0, 128};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};

// Packs a colour as an opaque 0xAARRGGBB pixel.
constexpr std::uint32_t Pixel(Color c) {
  return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}
constexpr Color ColorOf(std::uint32_t pixel) {
  return Color{static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
               static_cast<std::uint8_t>(pixel)};
}

// A picture of 0xAARRGGBB pixels. Alpha 0 marks a transparent pixel of a masked picture; every
// other pixel is drawn opaque, so a mask is all-or-nothing as in an image list.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Image() = default;
  Image(int w, int h, std::uint32_t fill = 0xFF000000u)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  void Set(int x, int y, std::uint32_t p) { pixels[static_cast<std::size_t>(y) * width + x] = p; }
};

// The canvas font. Height is the character height in pixels (the em, without internal leading);
// a size in points is turned into a height at the design resolution of 96 pixels per inch.
struct Font {
  std::string name = "Arial";
  bool bold = true;
  int height = 16;
  Color color = kNavy;
  friend bool operator==(const Font&, const Font&) = default;
};

// Turns text into pixels. The SDL front end renders with a TrueType font; tests may use a cheap
// stand-in. The result is opaque: the text's cell filled with the background, glyphs on top.
class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  virtual Image Render(const std::string& utf8, const Font& font, Color background) = 0;
};

// The window's one drawing surface. It keeps pen, brush and font between steps, and every step
// paints straight into the persistent picture; the platform shows that picture on screen.
// The methods are virtual so that tests can record the steps while the pixels are still drawn.
class Canvas {
 public:
  Canvas(int width, int height, Color background);
  virtual ~Canvas() = default;

  const Image& Picture() const { return picture_; }
  Image& Picture() { return picture_; }
  void SetTextRenderer(TextRenderer* renderer) { text_ = renderer; }

  // Fills the whole picture, as the window system does before a full repaint.
  virtual void Clear(Color c);
  // Draws a picture with its top-left corner at (x, y), clipped to the canvas; pixels with
  // alpha 0 are left out.
  virtual void Draw(int x, int y, const Image& image);

  virtual void SetPenColor(Color c) { pen_ = c; }
  virtual void MoveTo(int x, int y);
  // A line from the pen position to (x, y), leaving out the end point, as the window system's
  // line does; the pen then stands at (x, y).
  virtual void LineTo(int x, int y);
  // Outline with the pen, interior filled with the brush; right and bottom are exclusive.
  virtual void Rectangle(int x1, int y1, int x2, int y2);

  Font& GetFont() { return font_; }
  const Font& GetFont() const { return font_; }
  virtual void SetFontColor(Color c) { font_.color = c; }
  // Size in points at 96 pixels per inch.
  virtual void SetFontSize(int points) { font_.height = (points * 96 + 36) / 72; }
  // Writes text with its cell's top-left corner at (x, y), on the brush colour.
  virtual void TextOut(int x, int y, const std::string& utf8);

 private:
  void PutPixel(int x, int y, Color c);

  Image picture_;
  Color pen_ = kBlack;
  Color brush_ = kWhite;
  Font font_;
  int pen_x_ = 0;
  int pen_y_ = 0;
  TextRenderer* text_ = nullptr;
  // Rendered text is kept, since the animation's busy-wait writes the same star many times.
  std::map<std::tuple<std::string, std::string, bool, int, std::uint32_t>, Image> text_cache_;
};

}  // namespace vorlask
