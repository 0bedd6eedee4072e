// Windows' answers to what the shared SDL code asks of its platform. The game ships as one
// folder: the program, its data, the font and the music's instruments lie side by side, wherever
// the person unpacked or installed it.

#include <SDL.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/sdl/data_folders.h"
#include "platform/sdl/file_path.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/system.h"

namespace vorlask {

namespace {

std::string BesideProgram(const char* name) {
  std::filesystem::path folder;
  // SDL names the program's folder in UTF-8, ending in a separator.
  if (char* base = SDL_GetBasePath(); base != nullptr) {
    folder = FilePath(base);
    SDL_free(base);
  }
  return PathText(folder / name);
}

}  // namespace

void PrepareSdl() {}

void DesktopStarted() {
  SDL_StopTextInput();
}

std::string FontFile() {
  return BesideProgram(VORLASK_FONT_NAME);
}

std::string FontAdvice() {
  return "It belongs in the folder of vorlask.exe; unpack or install Vorlask again.";
}

// Timidity plays the tunes with the piano of the freepats set; its configuration names the
// piano's file, found beside the configuration.
std::vector<std::string> SoundFontFiles() {
  return {BesideProgram("timidity.cfg")};
}

// The program's own folder, searched already, is where Windows keeps the data.
std::vector<std::filesystem::path> InstalledDataFolders(const std::filesystem::path&) {
  return {};
}

bool IsDesktopVideoDriver(const std::string& driver) {
  return driver == "windows";
}

// SDL reads the monitor's density from Windows itself.
void DesktopDensity(SDL_Window*, ScreenDensity&) {}

bool LocalTime(std::time_t when, std::tm& local) {
  return localtime_s(&local, &when) == 0;
}

// Quitting ends the process at once, which takes the window with it. Hiding it first would
// gain nothing, and under Wine without a window manager costs two seconds, for which Wine
// waits on a window manager to confirm that the window has gone.
void CloseOnQuit(SDL_Window*) {
  std::fflush(nullptr);
  std::_Exit(0);
}

// A program for the Windows desktop gets no console. Started with stderr sent to a file or a
// pipe it has that already; started from a console window, it writes its messages there.
void ConnectMessages() {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error != nullptr && error != INVALID_HANDLE_VALUE) return;
  if (AttachConsole(ATTACH_PARENT_PROCESS) == 0) return;
  if (std::freopen("CONOUT$", "w", stderr) == nullptr) return;
  std::setvbuf(stderr, nullptr, _IONBF, 0);
}

// The game joins a data folder and a file name with '/', which Windows accepts; the person
// reads them with the backslash the folder itself is written with.
std::string AsShown(const std::string& message) {
  std::string shown = message;
  for (const std::string& folder : VorlaskDataFolders()) {
    const std::string joined = folder + "/";
    // A drive's root ends in its separator already.
    const bool ends_in_separator = folder.back() == '\\';
    for (std::size_t at = shown.find(joined); at != std::string::npos;
         at = shown.find(joined, at + folder.size())) {
      if (ends_in_separator) {
        shown.erase(at + folder.size(), 1);
      } else {
        shown[at + folder.size()] = '\\';
      }
    }
  }
  return shown;
}

}  // namespace vorlask
