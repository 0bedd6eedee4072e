#include "platform/sdl/display_scale.h"

#include <cmath>
#include <cstdlib>

#include "game/layout.h"
#include "platform/sdl/system.h"

namespace vorlask {

namespace {

constexpr int kMaxScale = 8;

int ScaleForDpi(float dpi) {
  return static_cast<int>(std::lround(dpi / 96.0f));
}

}  // namespace

int ChooseScale(const ScreenDensity& d) {
  int scale = 1;
  if (d.desktop_scale > 0) {
    scale = d.desktop_scale;
  } else if (d.desktop_dpi > 0) {
    scale = ScaleForDpi(d.desktop_dpi);
  } else if (d.monitor_dpi > 0) {
    scale = ScaleForDpi(d.monitor_dpi);
  }
  if (scale < 1) scale = 1;
  if (scale > kMaxScale) scale = kMaxScale;
  if (d.usable_width > 0 && d.usable_height > 0) {
    while (scale > 1 &&
           (kClientWidth * scale > d.usable_width || kClientHeight * scale > d.usable_height)) {
      --scale;
    }
  }
  return scale;
}

ScreenDensity QueryScreenDensity(SDL_Window* window) {
  ScreenDensity d;
  if (const char* gdk = SDL_getenv("GDK_SCALE"); gdk != nullptr) {
    char* end = nullptr;
    const long v = std::strtol(gdk, &end, 10);
    if (end != gdk && *end == '\0' && v >= 1 && v <= kMaxScale)
      d.desktop_scale = static_cast<int>(v);
  }
  const int index = SDL_GetWindowDisplayIndex(window);
  if (index >= 0) {
    float ddpi = 0;
    if (SDL_GetDisplayDPI(index, &ddpi, nullptr, nullptr) == 0) d.monitor_dpi = ddpi;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(index, &usable) == 0) {
      d.usable_width = usable.w;
      d.usable_height = usable.h;
    }
  }
  DesktopDensity(window, d);
  return d;
}

}  // namespace vorlask
