#pragma once

#include <SDL.h>

namespace vorlask {

// What the desktop says about the density of the screen the window opens on. Zero means the
// desktop does not say.
struct ScreenDensity {
  int desktop_scale = 0;  // an integer scale the desktop asks applications to use
  float desktop_dpi = 0;  // the dots per inch the desktop renders text at
  float monitor_dpi = 0;  // the monitor's own density
  int usable_width = 0;   // the room on that screen, in device pixels
  int usable_height = 0;
};

// The whole number of device pixels that show one pixel of the window. The board is drawn for
// 96 dots per inch; on denser screens each of its pixels becomes a square of pixels, never a
// blend, so that it looks as sharp as on a 96 dpi screen and keeps its size in inches. The
// window never grows larger than the screen.
int ChooseScale(const ScreenDensity& density);

// Reads the density of the screen that holds the window from the window system.
ScreenDensity QueryScreenDensity(SDL_Window* window);

}  // namespace vorlask
