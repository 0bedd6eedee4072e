#include "gfx/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace vorlask {

Canvas::Canvas(int width, int height, Color background)
    : picture_(width, height, Pixel(background)) {}

void Canvas::Clear(Color c) {
  std::fill(picture_.pixels.begin(), picture_.pixels.end(), Pixel(c));
}

void Canvas::Draw(int x, int y, const Image& image) {
  for (int sy = 0; sy < image.height; ++sy) {
    const int ty = y + sy;
    if (ty < 0 || ty >= picture_.height) continue;
    for (int sx = 0; sx < image.width; ++sx) {
      const int tx = x + sx;
      if (tx < 0 || tx >= picture_.width) continue;
      const std::uint32_t p = image.At(sx, sy);
      if ((p >> 24) == 0) continue;
      picture_.Set(tx, ty, p | 0xFF000000u);
    }
  }
}

void Canvas::PutPixel(int x, int y, Color c) {
  if (picture_.Contains(x, y)) picture_.Set(x, y, Pixel(c));
}

void Canvas::MoveTo(int x, int y) {
  pen_x_ = x;
  pen_y_ = y;
}

void Canvas::LineTo(int x, int y) {
  // Bresenham from the pen position, end point excluded.
  int x0 = pen_x_, y0 = pen_y_;
  const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
  const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  while (!(x0 == x && y0 == y)) {
    PutPixel(x0, y0, pen_);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  pen_x_ = x;
  pen_y_ = y;
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1) return;
  for (int y = y1; y < y2; ++y) {
    for (int x = x1; x < x2; ++x) {
      const bool edge = x == x1 || x == x2 - 1 || y == y1 || y == y2 - 1;
      PutPixel(x, y, edge ? pen_ : brush_);
    }
  }
}

void Canvas::TextOut(int x, int y, const std::string& utf8) {
  if (text_ == nullptr || utf8.empty()) return;
  auto key = std::make_tuple(utf8, font_.name, font_.bold, font_.height, Pixel(font_.color));
  auto it = text_cache_.find(key);
  if (it == text_cache_.end()) {
    it = text_cache_.emplace(std::move(key), text_->Render(utf8, font_, brush_)).first;
  }
  Draw(x, y, it->second);
}

}  // namespace vorlask
