// What the Linux desktop's window system says beyond SDL: its scaling for dense screens, and
// its errors about windows that have gone.

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/linux/x11.h"
#include "platform/sdl/display_scale.h"
#include "platform/sdl/system.h"

namespace vorlask {

namespace {

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

XErrorHandler g_previous_x_error_handler = nullptr;

// A request about a window that has gone away in the meantime (the desktop's own helper
// windows come and go, and the game's window goes at the end) is harmless to a game that is
// running or ending; Xlib's default would end the program with status 1 for it.
int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) return 0;
  return g_previous_x_error_handler != nullptr ? g_previous_x_error_handler(display, error) : 0;
}
#endif

}  // namespace

void DesktopDensity([[maybe_unused]] SDL_Window* window, [[maybe_unused]] ScreenDensity& d) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    d.desktop_dpi = XftDpi(info.info.x11.display);
    if (d.monitor_dpi <= 0) d.monitor_dpi = CoreDpi(info.info.x11.display);
  }
#endif
}

void TolerateVanishedWindows() {
#if defined(SDL_VIDEO_DRIVER_X11)
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && SDL_strcmp(driver, "x11") == 0) {
    g_previous_x_error_handler = XSetErrorHandler(OnXError);
  }
#endif
}

}  // namespace vorlask
