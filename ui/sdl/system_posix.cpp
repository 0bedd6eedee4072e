#include "ui/sdl/system.h"

#include <SDL.h>

namespace vorlask {

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

bool LocalTime(std::time_t when, std::tm& local) {
  return localtime_r(&when, &local) != nullptr;
}

void CloseOnQuit(SDL_Window* window) {
  SDL_HideWindow(window);
}

void ConnectMessages() {}

std::string AsShown(const std::string& message) {
  return message;
}

}  // namespace vorlask
