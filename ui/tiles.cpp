#include "ui/tiles.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ui/form.h"

namespace vorlask {

namespace {

constexpr PieceShape kShape = kPieceShape;
constexpr double kCentreX = kShape.centre_x();
constexpr double kRadiusX = kShape.radius_x();
constexpr double kRadiusY = kShape.radius_y();
constexpr double kTopFaceY = kShape.top_face_y();
constexpr double kThickness = kShape.thickness;
constexpr double kOutline = kShape.outline;
constexpr double kRecessX = kShape.recess_x;
constexpr double kRecessY = kShape.recess_y;

// Sub-samples per pixel along each axis: interior edges and the outline against an opaque
// square come out smooth, while the masked tiles decide each edge pixel by its coverage.
constexpr int kSamples = 8;

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
  const double dx = (x - cx) / rx;
  const double dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

// The silhouette of the disc grown or shrunk by d pixels.
bool InDisc(double x, double y, double d) {
  const double rx = kRadiusX + d;
  const double ry = kRadiusY + d;
  if (InEllipse(x, y, kCentreX, kTopFaceY, rx, ry)) return true;
  if (InEllipse(x, y, kCentreX, kTopFaceY + kThickness, rx, ry)) return true;
  return std::abs(x - kCentreX) <= rx && y >= kTopFaceY && y <= kTopFaceY + kThickness;
}

Color Scale(Color c, double f) {
  auto ch = [f](std::uint8_t v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v * f), 0L, 255L));
  };
  return Color{ch(c.r), ch(c.g), ch(c.b)};
}

Color Lighten(Color c, double f) {
  auto ch = [f](std::uint8_t v) {
    return static_cast<std::uint8_t>(std::lround(v + (255 - v) * f));
  };
  return Color{ch(c.r), ch(c.g), ch(c.b)};
}

PieceColours ColoursOf(Color top, Color side) {
  return PieceColours{top,
                      side,
                      Scale(top, 0.80),
                      Scale(top, 0.58),
                      Lighten(top, 0.55),
                      Scale(side, 0.72),
                      Lighten(side, 0.3)};
}

// The colour of the piece at a point, or nothing outside it.
std::optional<Color> PieceAt(double x, double y, const PieceColours& p) {
  if (!InDisc(x, y, 0)) return std::nullopt;
  if (!InDisc(x, y, -kOutline)) return kBlack;
  const double inner_rx = kRadiusX - kOutline;
  const double inner_ry = kRadiusY - kOutline;
  if (InEllipse(x, y, kCentreX, kTopFaceY, kRadiusX, kRadiusY)) {
    // The lower rim of the top face is the edge where the side band turns away.
    if (!InEllipse(x, y, kCentreX, kTopFaceY, inner_rx, inner_ry)) return kBlack;
    if (InEllipse(x, y, kCentreX, kTopFaceY, kRecessX, kRecessY)) {
      // The far wall of the recess lies in shadow; its floor shows below.
      if (!InEllipse(x, y, kCentreX, kTopFaceY + kShape.recess_floor_drop, kRecessX, kRecessY))
        return p.shadow;
      return p.recess;
    }
    // The near lip of the recess catches the light.
    if (InEllipse(x, y, kCentreX, kTopFaceY + kShape.recess_lip_drop, kRecessX, kRecessY))
      return p.gleam;
    // A gleam on the far edge of the top face, towards the light from the upper left.
    if (!InEllipse(x, y, kCentreX + kShape.gleam_shift_x, kTopFaceY + kShape.gleam_shift_y,
                   inner_rx - kShape.gleam_shrink_x, inner_ry - kShape.gleam_shrink_y) &&
        x < kCentreX + kShape.gleam_right && y < kTopFaceY - kShape.gleam_above)
      return p.gleam;
    return p.top;
  }
  // The side band, a little darker along its bottom edge where it curves away from the light.
  if (!InDisc(x, y - kShape.rim_drop, -kOutline)) return p.rim;
  // A sheen down the side band where its curve faces the light.
  if (x > kCentreX - kShape.sheen_from * kRadiusX && x < kCentreX - kShape.sheen_to * kRadiusX)
    return p.sheen;
  return p.side;
}

struct Sum {
  int r = 0, g = 0, b = 0, n = 0;
  void Add(Color c) {
    r += c.r;
    g += c.g;
    b += c.b;
    ++n;
  }
  Color Mean() const {
    return Color{static_cast<std::uint8_t>((r + n / 2) / n),
                 static_cast<std::uint8_t>((g + n / 2) / n),
                 static_cast<std::uint8_t>((b + n / 2) / n)};
  }
};

enum class Edge { kOnSquare, kMask, kCoverage };

// A piece on a square of side pixels: blended into the square's colour, alone with an
// all-or-nothing mask around it, or alone with each edge pixel's coverage as its alpha.
Image PieceImage(const PieceColours& piece, int side, Edge edge, Color square = kBlack) {
  const double scale = side / static_cast<double>(kTileSize);
  Image image(side, side, edge == Edge::kOnSquare ? Pixel(square) : 0u);
  constexpr int kAll = kSamples * kSamples;
  // Only the pixels that the piece's box touches can hold any of it.
  const int x1 = static_cast<int>(kShape.left * scale);
  const int x2 = static_cast<int>(std::ceil(kShape.right * scale));
  const int y1 = static_cast<int>(kShape.top * scale);
  const int y2 = static_cast<int>(std::ceil(kShape.bottom * scale));
  for (int py = y1; py < std::min(y2, side); ++py) {
    for (int px = x1; px < std::min(x2, side); ++px) {
      Sum on_piece;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (px + (sx + 0.5) / kSamples) / scale;
          const double y = (py + (sy + 0.5) / kSamples) / scale;
          if (auto c = PieceAt(x, y, piece)) on_piece.Add(*c);
        }
      }
      if (on_piece.n == 0) continue;
      switch (edge) {
        case Edge::kOnSquare: {
          Sum all = on_piece;
          for (int i = on_piece.n; i < kAll; ++i)
            all.Add(square);
          image.Set(px, py, Pixel(all.Mean()));
          break;
        }
        case Edge::kMask:
          // A mask is all or nothing: an edge pixel belongs to the piece if it is mostly piece.
          if (2 * on_piece.n >= kAll) image.Set(px, py, Pixel(on_piece.Mean()));
          break;
        case Edge::kCoverage: {
          const auto alpha = static_cast<std::uint32_t>((255 * on_piece.n + kAll / 2) / kAll);
          image.Set(px, py, (Pixel(on_piece.Mean()) & 0xFFFFFFu) | alpha << 24);
          break;
        }
      }
    }
  }
  return image;
}

Image PieceTile(const PieceColours& piece, Color square) {
  return PieceImage(piece, kTileSize, Edge::kOnSquare, square);
}

}  // namespace

PieceColours ColoursOfPiece(bool wolf) {
  return wolf ? ColoursOf(kWolfTop, kWolfSide) : ColoursOf(kHunterTop, kHunterSide);
}

std::array<Image, 11> MakeTileSet() {
  // Drawing the pieces takes a noticeable moment and the result never changes, so every
  // window after the first gets a copy.
  static const std::array<Image, 11> tiles = [] {
    const PieceColours hunter = ColoursOf(kHunterTop, kHunterSide);
    const PieceColours wolf = ColoursOf(kWolfTop, kWolfSide);
    return std::array<Image, 11>{PieceTile(hunter, kCursorGreen),
                                 PieceTile(wolf, kCursorGreen),
                                 Image(kTileSize, kTileSize, Pixel(kCursorGreen)),
                                 Image(kTileSize, kTileSize, Pixel(kDarkSquare)),
                                 PieceTile(hunter, kPickedCyan),
                                 PieceTile(wolf, kPickedCyan),
                                 Image(kTileSize, kTileSize, Pixel(kLightSquare)),
                                 PieceTile(hunter, kDarkSquare),
                                 PieceTile(wolf, kDarkSquare),
                                 PieceImage(hunter, kTileSize, Edge::kMask),
                                 PieceImage(wolf, kTileSize, Edge::kMask)};
  }();
  return tiles;
}

Image DrawPiece(bool wolf, int side) {
  return PieceImage(ColoursOfPiece(wolf), side, Edge::kCoverage);
}

}  // namespace vorlask
