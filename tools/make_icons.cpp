// Makes the program's icons from its own pieces: the wolf and a hunter on a corner of the
// board, at 64, 128 and 256 pixels, as PNG files with a transparent surround; the same picture
// as a scalable SVG drawing; and a one-colour outline of it for panels that recolour their
// icons (vorlask-symbolic.svg).
//
// Like the bitmaps, the icons are made by hand and committed:
//   build/make_icons data/icons
// writes vorlask-64.png, vorlask-128.png, vorlask-256.png, vorlask.svg and vorlask-symbolic.svg
// there. The files hold nothing but the picture: no date, no path, no name of a tool, so that
// making them again gives the same bytes. The PNG writer below needs nothing beyond the
// standard library; its compression is plain but lossless.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "game/state.h"
#include "ui/tiles.h"

using namespace vorlask;

namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- The picture ----

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // colour not premultiplied; a from 0 to 1
};

// Lays b over a.
Rgba Over(const Rgba& a, const Rgba& b) {
  const double out = b.a + a.a * (1 - b.a);
  if (out <= 0) return {};
  auto mix = [&](double ca, double cb) { return (cb * b.a + ca * a.a * (1 - b.a)) / out; };
  return Rgba{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), out};
}

Rgba From(Color c, double alpha = 1) {
  return Rgba{double(c.r), double(c.g), double(c.b), alpha};
}

bool InRoundedSquare(double x, double y, double lo, double hi, double radius) {
  const double cx = std::clamp(x, lo + radius, hi - radius);
  const double cy = std::clamp(y, lo + radius, hi - radius);
  return x >= lo && x <= hi && y >= lo && y <= hi && std::hypot(x - cx, y - cy) <= radius;
}

// The board's corner as the window shows it: a dark rim in the window's olive, then two by
// two squares with lines between them, the dark ones top-left and bottom-right.
struct Plate {
  int size;
  double margin, rim, radius, inner_lo, inner_hi, square;

  explicit Plate(int n) : size(n) {
    margin = n / 32.0;
    rim = std::max(2.0, n / 16.0);
    radius = n / 7.0;
    inner_lo = margin + rim;
    inner_hi = n - margin - rim;
    square = (inner_hi - inner_lo - 1) / 2;
  }

  // The colour of one sample point, transparent outside the plate.
  Rgba At(double x, double y) const {
    const double outer_lo = margin, outer_hi = size - margin;
    if (!InRoundedSquare(x, y, outer_lo, outer_hi, radius)) return {};
    const double edge = std::max(1.0, size / 64.0);
    if (!InRoundedSquare(x, y, outer_lo + edge, outer_hi - edge, radius - edge))
      return From(Color{40, 40, 0});
    if (!InRoundedSquare(x, y, inner_lo, inner_hi, std::max(1.0, radius - rim))) {
      // The rim is lit from the upper left like the pieces.
      const bool lit = x + y < size;
      return From(lit ? Color{150, 150, 24} : Color{104, 104, 0});
    }
    const double u = x - inner_lo, v = y - inner_lo;
    const bool right = u >= square + 1, lower = v >= square + 1;
    if ((u >= square && u < square + 1) || (v >= square && v < square + 1))
      return From(Color{60, 60, 0});
    return From(right == lower ? kDarkSquare : kLightSquare);
  }
};

// Where the two pieces stand on the plate: a little larger than their squares, so that they
// still read at 64 pixels; the wolf on the upper dark square, a hunter coming up at it from
// below. Positions are whole pixels, so that the pieces' edges fall alike in every picture.
struct Layout {
  Plate plate;
  int side;
  int wolf_x, wolf_y, hunter_x, hunter_y;

  explicit Layout(int n) : plate(n) {
    side = static_cast<int>(std::lround(plate.square * 1.12));
    const auto at = [&](double square_at) {
      return static_cast<int>(std::lround(square_at + (plate.square - side) / 2));
    };
    const double lo = plate.inner_lo, hi = plate.inner_lo + plate.square + 1;
    wolf_x = wolf_y = at(lo);
    hunter_x = hunter_y = at(hi);
  }
};

struct Icon {
  int size;
  std::vector<Rgba> pixels;
  explicit Icon(int n) : size(n), pixels(static_cast<std::size_t>(n) * n) {}
  Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * size + x]; }
};

Icon Draw(int n) {
  Icon icon(n);
  const Plate plate(n);
  constexpr int kSamples = 8;
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      Rgba sum;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba c = plate.At(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
          sum.r += c.r * c.a;
          sum.g += c.g * c.a;
          sum.b += c.b * c.a;
          sum.a += c.a;
        }
      Rgba& out = icon.at(x, y);
      if (sum.a > 0)
        out = Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / (kSamples * kSamples)};
    }
  }
  const Layout layout(n);
  const auto place = [&](bool wolf, int ox, int oy) {
    const Image piece = DrawPiece(wolf, layout.side);
    for (int y = 0; y < piece.height; ++y)
      for (int x = 0; x < piece.width; ++x) {
        const std::uint32_t p = piece.At(x, y);
        const int ix = ox + x, iy = oy + y;
        if ((p >> 24) == 0 || ix < 0 || iy < 0 || ix >= n || iy >= n) continue;
        icon.at(ix, iy) = Over(icon.at(ix, iy), From(ColorOf(p), (p >> 24) / 255.0));
      }
  };
  place(true, layout.wolf_x, layout.wolf_y);
  place(false, layout.hunter_x, layout.hunter_y);
  return icon;
}

// ---- SVG ----
//
// The drawing paints the same regions as the pixel rules above, one over the other from the
// back: each rule that decides a point's colour first becomes a shape painted later.

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", v);
  std::string s = text;
  while (s.back() == '0')
    s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string Hex(Color c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

std::string Attributes(std::string_view attributes) {
  return attributes.empty() ? std::string() : " " + std::string(attributes);
}

std::string RoundedSquare(double lo, double hi, double radius, std::string_view attributes) {
  return "<rect x=\"" + Num(lo) + "\" y=\"" + Num(lo) + "\" width=\"" + Num(hi - lo) +
         "\" height=\"" + Num(hi - lo) + "\" rx=\"" + Num(radius) + "\"" + Attributes(attributes) +
         "/>";
}

std::string Ellipse(double cx, double cy, double rx, double ry, std::string_view attributes) {
  return "<ellipse cx=\"" + Num(cx) + "\" cy=\"" + Num(cy) + "\" rx=\"" + Num(rx) + "\" ry=\"" +
         Num(ry) + "\"" + Attributes(attributes) + "/>";
}

std::string Rect(double x, double y, double w, double h, std::string_view attributes) {
  return "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(w) + "\" height=\"" +
         Num(h) + "\"" + Attributes(attributes) + "/>";
}

// The outline of a piece's disc grown or shrunk by d and lowered by drop: the upper half of the
// top ellipse, the sides of the band, the lower half of the lowered ellipse.
std::string DiscPath(double d, double drop = 0) {
  const PieceShape& s = kPieceShape;
  const double rx = s.radius_x() + d, ry = s.radius_y() + d;
  const double left = s.centre_x() - rx, right = s.centre_x() + rx;
  const double top = s.top_face_y() + drop, bottom = top + s.thickness;
  const std::string r = Num(rx) + " " + Num(ry) + " 0 0 1 ";
  return "M" + Num(left) + " " + Num(top) + "A" + r + Num(right) + " " + Num(top) + "L" +
         Num(right) + " " + Num(bottom) + "A" + r + Num(left) + " " + Num(bottom) + "Z";
}

// The clip paths the pieces share, in a tile's own pixels.
std::string PieceDefinitions() {
  const PieceShape& s = kPieceShape;
  const double cx = s.centre_x(), cy = s.top_face_y();
  const double irx = s.radius_x() - s.outline, iry = s.radius_y() - s.outline;
  std::string out;
  out += "<clipPath id=\"inner\"><path d=\"" + DiscPath(-s.outline) + "\"/></clipPath>";
  out += "<clipPath id=\"band\"><path d=\"" + DiscPath(-s.outline, s.rim_drop) + "\"/></clipPath>";
  out += "<clipPath id=\"face\">" + Ellipse(cx, cy, irx, iry, "") + "</clipPath>";
  out += "<clipPath id=\"far\">" + Rect(0, 0, cx + s.gleam_right, cy - s.gleam_above, "") +
         "</clipPath>";
  out += "<clipPath id=\"recess\">" + Ellipse(cx, cy, s.recess_x, s.recess_y, "") + "</clipPath>";
  return out;
}

std::string Fill(Color c) {
  return "fill=\"" + Hex(c) + "\"";
}

std::string PieceDrawing(bool wolf, const Layout& layout) {
  const PieceShape& s = kPieceShape;
  const PieceColours p = ColoursOfPiece(wolf);
  const double cx = s.centre_x(), cy = s.top_face_y();
  const double irx = s.radius_x() - s.outline, iry = s.radius_y() - s.outline;
  const int x = wolf ? layout.wolf_x : layout.hunter_x, y = wolf ? layout.wolf_y : layout.hunter_y;
  std::string out = "<g transform=\"translate(" + Num(x) + " " + Num(y) + ") scale(" +
                    Num(layout.side / static_cast<double>(kTileSize)) + ")\">";
  out += "<path d=\"" + DiscPath(0) + "\" " + Fill(kBlack) + "/>";
  out += "<path d=\"" + DiscPath(-s.outline) + "\" " + Fill(p.rim) + "/>";
  out += "<g clip-path=\"url(#inner)\"><path d=\"" + DiscPath(-s.outline, s.rim_drop) + "\" " +
         Fill(p.side) + "/><g clip-path=\"url(#band)\">" +
         Rect(cx - s.sheen_from * s.radius_x(), 0, (s.sheen_from - s.sheen_to) * s.radius_x(),
              kTileSize, Fill(p.sheen)) +
         "</g></g>";
  out += Ellipse(cx, cy, s.radius_x(), s.radius_y(), Fill(kBlack));
  out += Ellipse(cx, cy, irx, iry, Fill(p.top));
  out += "<g clip-path=\"url(#face)\"><g clip-path=\"url(#far)\">" +
         Rect(0, 0, kTileSize, kTileSize, Fill(p.gleam)) +
         Ellipse(cx + s.gleam_shift_x, cy + s.gleam_shift_y, irx - s.gleam_shrink_x,
                 iry - s.gleam_shrink_y, Fill(p.top)) +
         "</g></g>";
  out += Ellipse(cx, cy + s.recess_lip_drop, s.recess_x, s.recess_y, Fill(p.gleam));
  out += Ellipse(cx, cy, s.recess_x, s.recess_y, Fill(p.shadow));
  out += "<g clip-path=\"url(#recess)\">" +
         Ellipse(cx, cy + s.recess_floor_drop, s.recess_x, s.recess_y, Fill(p.recess)) + "</g>";
  return out + "</g>";
}

std::string SvgHeader(int n) {
  const std::string size = std::to_string(n);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "width=\"" +
         size + "\" height=\"" + size + "\" viewBox=\"0 0 " + size + " " + size + "\">\n";
}

// The colour icon, drawn on the 128-pixel plate.
std::string Svg() {
  constexpr int n = 128;
  const Layout layout(n);
  const Plate& plate = layout.plate;
  const double lo = plate.margin, hi = n - plate.margin;
  const double edge = std::max(1.0, n / 64.0);
  const double a = plate.inner_lo, sq = plate.square;
  std::string out = SvgHeader(n);
  out +=
      "<defs>" + PieceDefinitions() + "<clipPath id=\"rim\">" +
      RoundedSquare(lo + edge, hi - edge, plate.radius - edge, "") +
      "</clipPath><clipPath id=\"board\">" +
      RoundedSquare(plate.inner_lo, plate.inner_hi, std::max(1.0, plate.radius - plate.rim), "") +
      "</clipPath></defs>\n";
  out += RoundedSquare(lo, hi, plate.radius, Fill(Color{40, 40, 0})) + "\n";
  // The rim, lit from the upper left like the pieces.
  out += RoundedSquare(lo + edge, hi - edge, plate.radius - edge, Fill(Color{104, 104, 0}));
  out += "<path d=\"M0 0H" + Num(n) + "L0 " + Num(n) + "Z\" clip-path=\"url(#rim)\" " +
         Fill(Color{150, 150, 24}) + "/>\n";
  out += RoundedSquare(plate.inner_lo, plate.inner_hi, std::max(1.0, plate.radius - plate.rim),
                       Fill(Color{60, 60, 0}));
  out += "<g clip-path=\"url(#board)\">" + Rect(a, a, sq, sq, Fill(kDarkSquare)) +
         Rect(a + sq + 1, a, sq, sq, Fill(kLightSquare)) +
         Rect(a, a + sq + 1, sq, sq, Fill(kLightSquare)) +
         Rect(a + sq + 1, a + sq + 1, sq, sq, Fill(kDarkSquare)) + "</g>\n";
  out += PieceDrawing(true, layout) + "\n" + PieceDrawing(false, layout) + "\n";
  return out + "</svg>\n";
}

// The outline icon: the plate's rim as a frame and the two pieces as discs with a hollow top
// face, in the one colour that panels replace with their own, on the 16-pixel grid such icons
// are drawn for. The face's rim is as wide as a line of the grid's smallest size can be.
std::string EllipsePath(double cx, double cy, double rx, double ry) {
  const std::string r = Num(rx) + " " + Num(ry) + " 0 1 0 ";
  return "M" + Num(cx - rx) + " " + Num(cy) + "A" + r + Num(cx + rx) + " " + Num(cy) + "A" + r +
         Num(cx - rx) + " " + Num(cy) + "Z";
}

std::string SymbolicSvg() {
  constexpr int n = 16;
  const Layout layout(n);
  const Plate& plate = layout.plate;
  const auto rounded = [](double lo, double hi, double r) {
    return "M" + Num(lo + r) + " " + Num(lo) + "H" + Num(hi - r) + "A" + Num(r) + " " + Num(r) +
           " 0 0 1 " + Num(hi) + " " + Num(lo + r) + "V" + Num(hi - r) + "A" + Num(r) + " " +
           Num(r) + " 0 0 1 " + Num(hi - r) + " " + Num(hi) + "H" + Num(lo + r) + "A" + Num(r) +
           " " + Num(r) + " 0 0 1 " + Num(lo) + " " + Num(hi - r) + "V" + Num(lo + r) + "A" +
           Num(r) + " " + Num(r) + " 0 0 1 " + Num(lo + r) + " " + Num(lo) + "Z";
  };
  std::string out = SvgHeader(n);
  out += "<path fill=\"#2e3436\" fill-rule=\"evenodd\" d=\"" +
         rounded(plate.margin, n - plate.margin, plate.radius) +
         rounded(plate.inner_lo, plate.inner_hi, std::max(1.0, plate.radius - plate.rim)) +
         "\"/>\n";
  for (bool wolf : {true, false}) {
    const int x = wolf ? layout.wolf_x : layout.hunter_x;
    const int y = wolf ? layout.wolf_y : layout.hunter_y;
    const double scale = layout.side / static_cast<double>(kTileSize);
    const double rim = 0.75 / scale;
    const PieceShape& s = kPieceShape;
    out += "<path fill=\"#2e3436\" fill-rule=\"evenodd\" transform=\"translate(" + Num(x) + " " +
           Num(y) + ") scale(" + Num(scale) + ")\" d=\"" + DiscPath(0) +
           EllipsePath(s.centre_x(), s.top_face_y(), s.radius_x() - rim, s.radius_y() - rim) +
           "\"/>\n";
  }
  return out + "</svg>\n";
}

// ---- PNG ----

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i)
    crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : data) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

class BitWriter {
 public:
  // Extra bits and block headers go in least significant bit first.
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
      Bit((value >> i) & 1);
  }
  // Huffman codes go in most significant bit first.
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i)
      Bit((code >> i) & 1);
  }
  Bytes Finish() {
    if (used_ > 0) out_.push_back(current_);
    return std::move(out_);
  }

 private:
  void Bit(std::uint32_t b) {
    current_ = static_cast<std::uint8_t>(current_ | b << used_);
    if (++used_ == 8) {
      out_.push_back(current_);
      current_ = 0;
      used_ = 0;
    }
  }
  Bytes out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

// A literal or length symbol in the fixed Huffman code of deflate.
void Symbol(BitWriter& w, int s) {
  if (s < 144)
    w.Code(0x30 + s, 8);
  else if (s < 256)
    w.Code(0x190 + s - 144, 9);
  else if (s < 280)
    w.Code(s - 256, 7);
  else
    w.Code(0xC0 + s - 280, 8);
}

void Match(BitWriter& w, int length, int distance) {
  static constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
  static constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static constexpr std::array<int, 30> kDistanceBase = {
      1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
      193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  static constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
  int l = 28;
  while (kLengthBase[static_cast<std::size_t>(l)] > length)
    --l;
  Symbol(w, 257 + l);
  w.Bits(static_cast<std::uint32_t>(length - kLengthBase[static_cast<std::size_t>(l)]),
         kLengthExtra[static_cast<std::size_t>(l)]);
  int d = 29;
  while (kDistanceBase[static_cast<std::size_t>(d)] > distance)
    --d;
  w.Code(static_cast<std::uint32_t>(d), 5);
  w.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[static_cast<std::size_t>(d)]),
         kDistanceExtra[static_cast<std::size_t>(d)]);
}

// A zlib stream of one deflate block with the fixed code and greedy matches found through
// hash chains.
Bytes Compress(const Bytes& data) {
  constexpr int kWindow = 32768, kMaxLength = 258, kMaxChain = 128;
  constexpr std::size_t kHashSize = 1 << 15;
  std::vector<int> head(kHashSize, -1), previous(data.size(), -1);
  const auto hash = [&](std::size_t i) {
    return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (kHashSize - 1);
  };
  const auto insert = [&](std::size_t i) {
    if (i + 2 >= data.size()) return;
    const std::size_t h = hash(i);
    previous[i] = head[h];
    head[h] = static_cast<int>(i);
  };
  BitWriter w;
  w.Bits(1, 1);  // the last block
  w.Bits(1, 2);  // fixed Huffman code
  std::size_t i = 0;
  while (i < data.size()) {
    int best_length = 0, best_distance = 0;
    if (i + 2 < data.size()) {
      int candidate = head[hash(i)];
      for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
        const int distance = static_cast<int>(i) - candidate;
        if (distance > kWindow) break;
        const std::size_t limit = std::min<std::size_t>(kMaxLength, data.size() - i);
        std::size_t length = 0;
        while (length < limit && data[candidate + length] == data[i + length])
          ++length;
        if (static_cast<int>(length) > best_length) {
          best_length = static_cast<int>(length);
          best_distance = distance;
          if (length == limit) break;
        }
        candidate = previous[static_cast<std::size_t>(candidate)];
      }
    }
    if (best_length >= 3) {
      Match(w, best_length, best_distance);
      for (int k = 0; k < best_length; ++k)
        insert(i + k);
      i += static_cast<std::size_t>(best_length);
    } else {
      Symbol(w, data[i]);
      insert(i);
      ++i;
    }
  }
  Symbol(w, 256);  // end of block
  Bytes out = {0x78, 0x01};
  const Bytes body = w.Finish();
  out.insert(out.end(), body.begin(), body.end());
  const std::uint32_t adler = Adler32(data);
  for (int shift : {24, 16, 8, 0})
    out.push_back(static_cast<std::uint8_t>(adler >> shift));
  return out;
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// The rows of RGBA pixels, each behind the filter that leaves the smallest differences.
Bytes Filtered(const std::vector<std::uint8_t>& rgba, int width, int height) {
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  Bytes out;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = &rgba[y * stride];
    const std::uint8_t* up = y > 0 ? &rgba[(y - 1) * stride] : nullptr;
    Bytes best;
    long best_cost = -1;
    for (int filter = 0; filter < 5; ++filter) {
      Bytes line = {static_cast<std::uint8_t>(filter)};
      long cost = 0;
      for (std::size_t i = 0; i < stride; ++i) {
        const int a = i >= 4 ? row[i - 4] : 0;
        const int b = up ? up[i] : 0;
        const int c = up && i >= 4 ? up[i - 4] : 0;
        const int predictor = filter == 0   ? 0
                              : filter == 1 ? a
                              : filter == 2 ? b
                              : filter == 3 ? (a + b) / 2
                                            : Paeth(a, b, c);
        const auto v = static_cast<std::uint8_t>(row[i] - predictor);
        line.push_back(v);
        cost += v < 128 ? v : 256 - v;
      }
      if (best_cost < 0 || cost < best_cost) {
        best_cost = cost;
        best = std::move(line);
      }
    }
    out.insert(out.end(), best.begin(), best.end());
  }
  return out;
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
  const auto size = static_cast<std::uint32_t>(data.size());
  for (int shift : {24, 16, 8, 0})
    png.push_back(static_cast<std::uint8_t>(size >> shift));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  const std::uint32_t crc = Crc32(&png[start], png.size() - start);
  for (int shift : {24, 16, 8, 0})
    png.push_back(static_cast<std::uint8_t>(crc >> shift));
}

Bytes Png(const Icon& icon) {
  std::vector<std::uint8_t> rgba;
  for (const Rgba& p : icon.pixels) {
    const auto channel = [](double v) {
      return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    // Fully transparent pixels all alike, so that they compress.
    if (channel(p.a * 255) == 0) {
      rgba.insert(rgba.end(), {0, 0, 0, 0});
      continue;
    }
    rgba.insert(rgba.end(), {channel(p.r), channel(p.g), channel(p.b), channel(p.a * 255)});
  }
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  for (int v : {icon.size, icon.size})
    for (int shift : {24, 16, 8, 0})
      header.push_back(static_cast<std::uint8_t>(v >> shift));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filtered, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Compress(Filtered(rgba, icon.size, icon.size)));
  Chunk(png, "IEND", {});
  return png;
}

bool Write(const std::string& path, const Bytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != nullptr && std::fclose(f) != 0) ok = false;
  if (!ok) std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
  return ok;
}

Bytes BytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  for (int size : {64, 128, 256}) {
    if (!Write(folder + "/vorlask-" + std::to_string(size) + ".png", Png(Draw(size)))) return 1;
  }
  if (!Write(folder + "/vorlask.svg", BytesOf(Svg()))) return 1;
  if (!Write(folder + "/vorlask-symbolic.svg", BytesOf(SymbolicSvg()))) return 1;
  return 0;
}
