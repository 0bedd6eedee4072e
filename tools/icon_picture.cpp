#include "tools/icon_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gfx/canvas.h"
#include "ui/tiles.h"

namespace vorlask::icons {

namespace {

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

}  // namespace

Plate::Plate(int n) : size(n) {
  margin = n / 32.0;
  rim = std::max(2.0, n / 16.0);
  radius = n / 7.0;
  inner_lo = margin + rim;
  inner_hi = n - margin - rim;
  square = (inner_hi - inner_lo - 1) / 2;
}

Rgba Plate::At(double x, double y) const {
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

Layout::Layout(int n) : plate(n) {
  side = static_cast<int>(std::lround(plate.square * 1.12));
  const auto at = [&](double square_at) {
    return static_cast<int>(std::lround(square_at + (plate.square - side) / 2));
  };
  const double lo = plate.inner_lo, hi = plate.inner_lo + plate.square + 1;
  wolf_x = wolf_y = at(lo);
  hunter_x = hunter_y = at(hi);
}

void PlacePiece(std::vector<Rgba>& pixels, int width, bool wolf, int side, int x, int y) {
  const Image piece = DrawPiece(wolf, side);
  const auto height = static_cast<int>(pixels.size() / static_cast<std::size_t>(width));
  for (int py = 0; py < piece.height; ++py)
    for (int px = 0; px < piece.width; ++px) {
      const std::uint32_t p = piece.At(px, py);
      const int ix = x + px, iy = y + py;
      if ((p >> 24) == 0 || ix < 0 || iy < 0 || ix >= width || iy >= height) continue;
      Rgba& out = pixels[static_cast<std::size_t>(iy) * width + ix];
      out = Over(out, From(ColorOf(p), (p >> 24) / 255.0));
    }
}

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
  PlacePiece(icon.pixels, n, true, layout.side, layout.wolf_x, layout.wolf_y);
  PlacePiece(icon.pixels, n, false, layout.side, layout.hunter_x, layout.hunter_y);
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

}  // namespace vorlask::icons
