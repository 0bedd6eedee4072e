#include "platform/sdl/startup.h"

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/sdl/bmp_file.h"
#include "platform/sdl/data_folders.h"
#include "platform/sdl/error_window.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/system.h"
#include "platform/sdl/ttf_text.h"
#include "ui/bitmaps.h"
#include "ui/form.h"
#include "ui/tiles.h"

namespace vorlask {

namespace {

// What start-up can do before SDL reaches the window system: the tile set (drawn once per run),
// the font and the bitmaps take several milliseconds.
struct EarlyWork {
  std::unique_ptr<TtfTextRenderer> text;
  BitmapSet bitmaps;
};

int PrepareEarly(void* data) {
  auto& early = *static_cast<EarlyWork*>(data);
  MakeTileSet();
  early.text = std::make_unique<TtfTextRenderer>(FontFile());
  SdlBitmapFiles files;
  early.bitmaps = LoadBitmapSet(VorlaskDataFolders(), files);
  return 0;
}

// Without a desktop SDL falls back to drivers that draw nowhere, and the game would run unseen.
// Someone who chose a driver on purpose gets it. Empty when SDL shows its windows.
std::string WhyNoDisplay() {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return SDL_GetError();
  const char* driver = SDL_GetCurrentVideoDriver();
  if (SDL_getenv("SDL_VIDEODRIVER") != nullptr ||
      (driver != nullptr && IsDesktopVideoDriver(driver))) {
    return {};
  }
  std::string why =
      std::string("only the \"") + (driver != nullptr ? driver : "") + "\" video driver works";
  SDL_Quit();
  return why;
}

// The run ends in EndRun while the platform and the form still stand: a platform that ends the
// process there does not wait for them to be taken apart.
int RunGame(EarlyWork& early) {
  std::string error;
  TtfTextRenderer& text = *early.text;
  if (!text.Ready(error)) {
    ReportStartProblem(
        CannotStartMessage("its font cannot be loaded: " + error + ". " + FontAdvice()), nullptr);
    return EndRun(1);
  }
  std::unique_ptr<SdlPlatform> platform = MakePlatform(text, std::move(early.bitmaps));
  if (!platform->OpenWindow(error)) {
    ReportStartProblem(CannotStartMessage(error), &text);
    return EndRun(1);
  }
  // The form lives on the heap: with its pictures and tile set it is too big for some stacks.
  auto form = std::make_unique<TForm3>(*platform);
  // A failed start-up has shown its error already; the window is never shown then.
  if (!form->FormCreate()) return EndRun(1);
  return EndRun(platform->Run(*form));
}

}  // namespace

void ShowStartupError(const std::string& message, TextRenderer* text, int scale) {
  ReportError(message, text, scale, nullptr, {});
}

int RunVorlask() {
  ConnectMessages();
  SDL_SetHint(SDL_HINT_APP_NAME, "Vorlask");
  // The picture is drawn in memory and copied to the window; no graphics driver is needed.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  PrepareSdl();
  // What can be prepared beside SDL's start is, where a second thread can be made; in a page
  // there is one thread, and it is done first.
  EarlyWork early;
  SDL_Thread* preparing = SDL_CreateThread(&PrepareEarly, "vorlask start", &early);
  if (preparing == nullptr) PrepareEarly(&early);
  const std::string no_display = WhyNoDisplay();
  if (preparing != nullptr) SDL_WaitThread(preparing, nullptr);
  if (!no_display.empty()) {
    ReportStartProblem(CannotStartMessage("no display is available (" + no_display +
                                          "). It needs a graphical desktop session to show its "
                                          "window."),
                       nullptr);
    return EndRun(1);
  }
  DesktopStarted();
  return RunGame(early);
}

}  // namespace vorlask
