#pragma once

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gfx/canvas.h"
#include "ui/bitmaps.h"

struct SDL_Window;

namespace vorlask {

class SdlPlatform;
struct ScreenDensity;

// What each platform answers for itself. The SDL code that every platform shares calls these,
// and each platform defines them all in a folder of its own: the Linux desktop in
// platform/linux (with platform/posix), the page in platform/web (with platform/posix),
// Windows in platform/windows. The platform's other two seams are its file access
// (data_file.h) and its SDL_mixer (mixer.h).

// ---- Start-up (startup.cpp) ----
// Sets what SDL must know before it starts: hints and the environment.
void PrepareSdl();
// SDL has reached the window system and found a desktop.
void DesktopStarted();
// The platform object of the game's window, with the start-up bitmaps when they were read ahead.
std::unique_ptr<SdlPlatform> MakePlatform(TextRenderer& text, BitmapSet bitmaps);
// Tells the person about a problem that keeps the game from starting; `text` is the game's
// font, when it has been loaded.
void ReportStartProblem(const std::string& message, TextRenderer* text);
// The run is over, the game's objects still standing; returns the exit status, unless the
// process ends here.
int EndRun(int status);

// ---- Where things are ----
// The font of the game's text.
std::string FontFile();
// What the person can do about a missing font, as a sentence.
std::string FontAdvice();
// The music's instruments, the preferred first: on Linux the sound font the tunes were voiced
// for, then whatever General MIDI font the system offers (Debian points default-GM.sf2 at the
// one it prefers).
std::vector<std::string> SoundFontFiles();
// The data folders after the current one and the program's own: where an installation keeps
// them, given the program's folder.
std::vector<std::filesystem::path> InstalledDataFolders(
    const std::filesystem::path& program_folder);

// ---- The desktop ----
// Whether SDL's video driver shows its windows to the person.
bool IsDesktopVideoDriver(const std::string& driver);
// What the desktop says of its scaling beyond what SDL reports (X11's "Xft.dpi").
void DesktopDensity(SDL_Window* window, ScreenDensity& density);
// Takes the game's window away when the game quits, at once, although the handler that quit
// may still be running.
void CloseOnQuit(SDL_Window* window);

// ---- Time and messages ----
// The local time of day; false when the system cannot tell it.
bool LocalTime(std::time_t when, std::tm& local);
// Lets the program's messages on stderr reach the person who started it.
void ConnectMessages();
// A message as the person reads it: the paths in it written the system's own way.
std::string AsShown(const std::string& message);

}  // namespace vorlask
