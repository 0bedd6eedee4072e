// Makes the program's icons from its own pieces: the wolf and a hunter on a corner of the
// board, at 64, 128 and 256 pixels, as PNG files with a transparent surround; the same picture
// as a scalable SVG drawing; a one-colour outline of it for panels that recolour their icons
// (vorlask-symbolic.svg); the Windows program's icon (vorlask.ico), which holds the picture
// drawn afresh at each size Windows shows, from 16 to 256 pixels. The web page's home-screen
// icons are the same picture at 192 and 512 pixels, and once more on a full square of the
// window's olive for launchers that cut icons to their own shape (vorlask-web-maskable.png).
//
// Like the bitmaps, the icons are made by hand and committed:
//   build/make_icons data/icons
// writes vorlask-64.png, vorlask-128.png, vorlask-256.png, vorlask.svg, vorlask-symbolic.svg,
// vorlask-web-192.png, vorlask-web-512.png, vorlask-web-maskable.png and vorlask.ico there,
// holding nothing but the picture (no date, path or tool name): the same bytes each time.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <png.h>

#include "gfx/canvas.h"
#include "ui/form.h"
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

// The picture on an opaque square of the window's olive. Launchers may cut such an icon to a
// circle, a squircle or a teardrop; all of them keep the circle of 80 % of the side around the
// middle, so the plate is drawn small enough that its rounded corners stay inside that circle.
Icon DrawOnSquare(int n) {
  Icon icon(n);
  for (Rgba& p : icon.pixels)
    p = From(kOlive);
  const int inner = static_cast<int>(std::lround(n * 0.6));
  const int offset = (n - inner) / 2;
  const Icon plate = Draw(inner);
  for (int y = 0; y < inner; ++y)
    for (int x = 0; x < inner; ++x) {
      Rgba& out = icon.at(offset + x, offset + y);
      out = Over(out, plate.pixels[static_cast<std::size_t>(y) * inner + x]);
    }
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

// Called by libpng for every piece of the file it has made.
void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

// The picture as RGBA rows, compressed by libpng with every filter tried on every row. libpng
// writes no time or text chunk unless asked, so the same picture gives the same bytes.
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
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fprintf(stderr, "make_icons: libpng could not encode a %d-pixel icon\n", icon.size);
    return {};
  }
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_compression_level(png, 9);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  const auto side = static_cast<png_uint_32>(icon.size);
  png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_bytep> rows(side);
  for (png_uint_32 y = 0; y < side; ++y)
    rows[y] = &rgba[static_cast<std::size_t>(y) * side * 4];
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// ---- ICO ----

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One picture of a Windows icon in the form every version of Windows reads: a bitmap header
// of twice the height (the colour rows, then a one-bit mask), rows from the bottom, BGRA.
Bytes IconBitmap(const Icon& icon) {
  const auto n = static_cast<std::uint32_t>(icon.size);
  const std::uint32_t mask_row = (n + 31) / 32 * 4;
  Bytes out;
  for (std::uint32_t v : {40u, n, 2 * n})
    Put32(out, v);
  Put16(out, 1);
  Put16(out, 32);
  for (std::uint32_t v : {0u, n * n * 4 + mask_row * n, 0u, 0u, 0u, 0u})
    Put32(out, v);
  const auto channel = [](double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  for (int y = icon.size - 1; y >= 0; --y) {
    for (int x = 0; x < icon.size; ++x) {
      const Rgba& p = icon.pixels[static_cast<std::size_t>(y) * n + x];
      const std::uint8_t a = channel(p.a * 255);
      if (a == 0) {
        out.insert(out.end(), {0, 0, 0, 0});
      } else {
        out.insert(out.end(), {channel(p.b), channel(p.g), channel(p.r), a});
      }
    }
  }
  // The mask marks the fully transparent pixels, for the rare reader that ignores alpha.
  for (int y = icon.size - 1; y >= 0; --y) {
    Bytes row(mask_row, 0);
    for (int x = 0; x < icon.size; ++x) {
      if (channel(icon.pixels[static_cast<std::size_t>(y) * n + x].a * 255) == 0)
        row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// The icon file: a directory of the pictures, then the pictures. The largest is a PNG, as
// Windows keeps it; the small ones are bitmaps.
Bytes Ico() {
  std::vector<Bytes> pictures;
  std::vector<int> sizes = {16, 20, 24, 32, 40, 48, 64, 256};
  for (int size : sizes) {
    pictures.push_back(size >= 256 ? Png(Draw(size)) : IconBitmap(Draw(size)));
    if (pictures.back().empty()) return {};
  }
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(sizes.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const auto side = static_cast<std::uint8_t>(sizes[i] >= 256 ? 0 : sizes[i]);
    out.insert(out.end(), {side, side, 0, 0});
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(pictures[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(pictures[i].size());
  }
  for (const Bytes& picture : pictures)
    out.insert(out.end(), picture.begin(), picture.end());
  return out;
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
    const Bytes png = Png(Draw(size));
    if (png.empty() || !Write(folder + "/vorlask-" + std::to_string(size) + ".png", png)) return 1;
  }
  // Named apart from the sizes above, which the desktop's icon theme installs by their number.
  for (int size : {192, 512}) {
    const Bytes png = Png(Draw(size));
    if (png.empty() || !Write(folder + "/vorlask-web-" + std::to_string(size) + ".png", png))
      return 1;
  }
  const Bytes maskable = Png(DrawOnSquare(512));
  if (maskable.empty() || !Write(folder + "/vorlask-web-maskable.png", maskable)) return 1;
  if (!Write(folder + "/vorlask.svg", BytesOf(Svg()))) return 1;
  if (!Write(folder + "/vorlask-symbolic.svg", BytesOf(SymbolicSvg()))) return 1;
  const Bytes ico = Ico();
  if (ico.empty() || !Write(folder + "/vorlask.ico", ico)) return 1;
  return 0;
}
