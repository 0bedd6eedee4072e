// The page's answers to what the shared SDL code asks of its platform. The page's file system
// holds the bitmaps and the font from the start, and the piano and the tunes once the music
// has been fetched (loading.js).

#include <SDL.h>

#include "platform/sdl/system.h"
#include "platform/web/web_platform.h"

namespace vorlask {

void PrepareSdl() {
  // The page fits the picture to its window itself (page.js), at whole device pixels a pixel
  // where it can; the program draws the picture at its own size, as on a desktop that asks
  // for scale 1. Drawn larger, an odd number of device pixels a pixel would come out uneven.
  SDL_setenv("GDK_SCALE", "1", 1);
  // The program gives the browser its turns itself (WebPlatform); SDL would add one of its own
  // inside every picture shown, from a place the program does not expect to wait in.
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
  // The music's instruments: the piano of the page's own Timidity set.
  SDL_setenv("TIMIDITY_CFG", VORLASK_SOUNDFONT_FILE, 1);
}

void DesktopStarted() {}

std::unique_ptr<SdlPlatform> MakePlatform(TextRenderer& text, BitmapSet bitmaps) {
  return std::make_unique<WebPlatform>(text, std::move(bitmaps));
}

void ReportStartProblem(const std::string& message, TextRenderer*) {
  ShowPageError(message);
}

// The page ends the run itself once the game's objects are gone (main.cpp).
int EndRun(int status) {
  return status;
}

std::string FontFile() {
  return VORLASK_FONT_FILE;
}

std::string FontAdvice() {
  return "Reload the page.";
}

std::vector<std::string> SoundFontFiles() {
  return {VORLASK_SOUNDFONT_FILE};
}

std::vector<std::filesystem::path> InstalledDataFolders(const std::filesystem::path&) {
  return {VORLASK_INSTALLED_DATA_DIR};
}

bool IsDesktopVideoDriver(const std::string& driver) {
  return driver == "emscripten";
}

void DesktopDensity(SDL_Window*, ScreenDensity&) {}

void CloseOnQuit(SDL_Window* window) {
  SDL_HideWindow(window);
}

}  // namespace vorlask
