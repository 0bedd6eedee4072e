#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

struct SDL_Window;

namespace vorlask {

// What the front end asks of the operating system beneath SDL, where Linux and Windows differ:
// where the files the game uses but does not make are found, what counts as a desktop, and how
// times, paths and messages reach the person. ui/sdl/system_posix.cpp answers for Linux,
// ui/windows/system_windows.cpp for Windows.

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

// Whether SDL's video driver shows its windows to the person.
bool IsDesktopVideoDriver(const std::string& driver);
// The local time of day; false when the system cannot tell it.
bool LocalTime(std::time_t when, std::tm& local);

// Takes the game's window away when the game quits, at once, although the handler that quit
// may still be running.
void CloseOnQuit(SDL_Window* window);

// Lets the program's messages on stderr reach the person who started it.
void ConnectMessages();
// A message as the person reads it: the paths in it written the system's own way.
std::string AsShown(const std::string& message);

}  // namespace vorlask
