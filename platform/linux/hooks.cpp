// The Linux desktop's answers to what the shared SDL code asks of its platform. The font and
// the sound fonts are Debian's; the data lies where the program is installed.

#include <SDL.h>

#include "platform/linux/x11.h"
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
