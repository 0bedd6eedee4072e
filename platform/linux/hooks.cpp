// The Linux desktop's answers to what the shared SDL code asks of its platform. The font and
// the sound fonts are Debian's; the data lies where the program is installed.

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/linux/x11.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/startup.h"
#include "platform/sdl/system.h"

namespace vorlask {

void PrepareSdl() {
  // A board game in a window should not switch off the desktop's compositor.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
}

void DesktopStarted() {
  TolerateVanishedWindows();
  SDL_StopTextInput();
}

std::unique_ptr<SdlPlatform> MakePlatform(TextRenderer& text, BitmapSet bitmaps) {
  return std::make_unique<SdlPlatform>(text, std::move(bitmaps));
}

void ReportStartProblem(const std::string& message, TextRenderer* text) {
  ShowStartupError(message, text);
}

// The process ends here, without taking the player and the window apart: the synthesizer may
// be halfway through loading a tune, which cannot be cut short, and the person who pressed Esc
// should not wait for it. SDL's own shutdown would also put back Xlib's default error handler
// before it closes its connections, and a wake-up that the timer or the music thread sent to
// the window just as it closed would then come back as an error that Xlib answers by ending
// the program with status 1. Ending the process closes the audio device and the connections
// without reading them.
int EndRun(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

std::string FontFile() {
  return VORLASK_FONT_FILE;
}

std::string FontAdvice() {
  return "Install the package fonts-liberation2.";
}

std::vector<std::string> SoundFontFiles() {
  return {VORLASK_SOUNDFONT_FILE, VORLASK_DEFAULT_SOUNDFONT_FILE};
}

std::vector<std::filesystem::path> InstalledDataFolders(
    const std::filesystem::path& program_folder) {
  std::vector<std::filesystem::path> folders = {VORLASK_INSTALLED_DATA_DIR};
  // An installation unpacked somewhere else keeps its data where it would be installed,
  // counted from the program's folder.
  if (!program_folder.empty()) folders.push_back(program_folder / VORLASK_DATA_FROM_BIN);
  return folders;
}

bool IsDesktopVideoDriver(const std::string& driver) {
  return driver == "x11" || driver == "wayland";
}

void CloseOnQuit(SDL_Window* window) {
  SDL_HideWindow(window);
}

}  // namespace vorlask
