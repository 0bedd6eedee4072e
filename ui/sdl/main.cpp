// Vorlask: one wolf against four hunters. The program takes no arguments and reads no settings;
// it finds its data files in the current directory or where it is installed.

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "game/state.h"
#include "ui/sdl/sdl_platform.h"
#include "ui/sdl/system.h"
#include "ui/sdl/ttf_text.h"
#include "ui/tiles.h"

namespace {

// Without a desktop SDL falls back to drivers that draw nowhere; the game would run unseen.
// Someone who chose a driver on purpose gets it.
bool OnDesktop() {
  if (SDL_getenv("SDL_VIDEODRIVER") != nullptr) return true;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && vorlask::IsDesktopVideoDriver(driver);
}

#if defined(SDL_VIDEO_DRIVER_X11)
XErrorHandler g_previous_x_error_handler = nullptr;

// A request about a window that has gone away in the meantime (the desktop's own helper
// windows come and go, and the game's window goes at the end) is harmless to a game that is
// running or ending; Xlib's default would end the program with status 1 for it.
int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) return 0;
  return g_previous_x_error_handler != nullptr ? g_previous_x_error_handler(display, error) : 0;
}

void TolerateVanishedWindows() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && SDL_strcmp(driver, "x11") == 0) {
    g_previous_x_error_handler = XSetErrorHandler(OnXError);
  }
}
#else
void TolerateVanishedWindows() {}
#endif

// What start-up can do before SDL reaches the window system, on a second thread meanwhile.
struct EarlyWork {
  std::unique_ptr<vorlask::TtfTextRenderer> text;
  std::map<std::string, vorlask::PrefetchedBitmap> bitmaps;
};

int RunGame(EarlyWork& early) {
  std::string error;
  vorlask::TtfTextRenderer& text = *early.text;
  if (!text.Ready(error)) {
    vorlask::ShowStartupError(vorlask::CannotStartMessage("its font cannot be loaded: " + error +
                                                          ". " + vorlask::FontAdvice()));
    return 1;
  }
  vorlask::SdlPlatform platform(text);
  platform.SetPrefetchedBitmaps(std::move(early.bitmaps));
  if (!platform.OpenWindow(error)) {
    vorlask::ShowStartupError(vorlask::CannotStartMessage(error), &text);
    return 1;
  }
  vorlask::TForm3 form(platform);
  // A failed start-up has shown its error already; the window is never shown then.
  if (!form.FormCreate()) return 1;
  const int status = platform.Run(form);
  // The game is over and its window gone. The process ends here, without taking the player
  // and the window apart: the synthesizer may be halfway through loading a tune, which cannot
  // be cut short, and the person who pressed Esc should not wait for it. Ending the process
  // closes the audio device and the window system's connection as well.
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace

int main(int, char*[]) {
  vorlask::ConnectMessages();
  SDL_SetHint(SDL_HINT_APP_NAME, "Vorlask");
  // The picture is drawn in memory and copied to the window; no graphics driver is needed.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  // A board game in a window should not switch off the desktop's compositor.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // The tile set (drawn once per run), the font and the bitmaps take several milliseconds; they
  // are prepared while SDL connects to the window system, so that the first frame shows sooner.
  EarlyWork early;
  std::thread tiles([&early] {
    vorlask::MakeTileSet();
    early.text = std::make_unique<vorlask::TtfTextRenderer>(vorlask::FontFile());
    early.bitmaps = vorlask::PrefetchBitmaps();
  });
  std::string no_display;
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    no_display = SDL_GetError();
  } else if (!OnDesktop()) {
    no_display = std::string("only the \"") + SDL_GetCurrentVideoDriver() + "\" video driver works";
    SDL_Quit();
  }
  tiles.join();
  if (!no_display.empty()) {
    vorlask::ShowStartupError(
        vorlask::CannotStartMessage("no display is available (" + no_display +
                                    "). It needs a graphical desktop session to show its window."));
    return 1;
  }
  TolerateVanishedWindows();
  SDL_StopTextInput();
  const int status = RunGame(early);
  early.text.reset();
  // Start-up failed; the window, the player and the timer are gone by now. The process ends
  // without SDL's own shutdown, as after a game. That shutdown puts back Xlib's default error handler before it closes its
  // connections, and a wake-up that the timer or the music thread sent to the window just as
  // it closed then comes back as an error that Xlib answers by ending the program with status
  // 1. Ending the process closes the connections without reading them.
  std::fflush(nullptr);
  std::_Exit(status);
}
