#include "tools/icon_svg.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "game/layout.h"
#include "gfx/canvas.h"
#include "tools/icon_picture.h"
#include "ui/tiles.h"

namespace vorlask::icons {

// The drawing paints the same regions as the pixel rules of the picture (Plate::At), one over
// the other from the back: each rule that decides a point's colour first becomes a shape
// painted later.

namespace {

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

std::string EllipsePath(double cx, double cy, double rx, double ry) {
  const std::string r = Num(rx) + " " + Num(ry) + " 0 1 0 ";
  return "M" + Num(cx - rx) + " " + Num(cy) + "A" + r + Num(cx + rx) + " " + Num(cy) + "A" + r +
         Num(cx - rx) + " " + Num(cy) + "Z";
}

}  // namespace

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

}  // namespace vorlask::icons
