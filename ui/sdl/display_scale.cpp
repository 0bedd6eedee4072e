#include "ui/sdl/display_scale.h"

#include <SDL_syswm.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/state.h"

namespace vorlask {

namespace {

constexpr int kMaxScale = 8;

int ScaleForDpi(float dpi) {
  return static_cast<int>(std::lround(dpi / 96.0f));
}

#if defined(SDL_VIDEO_DRIVER_X11)
// The "Xft.dpi" entry of the X resource database, where desktops publish their text scaling.
float XftDpi(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr) return 0;
  const std::string all(resources);
  std::size_t at = 0;
  while (at < all.size()) {
    std::size_t end = all.find('\n', at);
    if (end == std::string::npos) end = all.size();
    const std::string line = all.substr(at, end - at);
    at = end + 1;
    if (line.rfind("Xft.dpi:", 0) != 0) continue;
    return std::strtof(line.c_str() + std::strlen("Xft.dpi:"), nullptr);
  }
  return 0;
}

// The density the X server reports for the whole screen, used when the monitor's own size is
// unknown (virtual servers know no monitor).
float CoreDpi(Display* display) {
  const int screen = DefaultScreen(display);
  const int mm = DisplayWidthMM(display, screen);
  if (mm <= 0) return 0;
  return static_cast<float>(DisplayWidth(display, screen)) * 25.4f / static_cast<float>(mm);
}
#endif

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
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    d.desktop_dpi = XftDpi(info.info.x11.display);
    if (d.monitor_dpi <= 0) d.monitor_dpi = CoreDpi(info.info.x11.display);
  }
#endif
  return d;
}

}  // namespace vorlask
