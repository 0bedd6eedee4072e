// Any bytes as one of the game's music files, opened by the real player: the check, then
// SDL_mixer with FluidSynth reading the file, on SDL's silent audio driver.

#include <SDL.h>

#include <cstdlib>

#include "fuzz_input.h"
#include "ui/sdl/sdl_platform.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A test machine has no sound card; the dummy driver plays to nowhere.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One player for the whole run, as in the game: the audio device is opened once.
  static vorlask::SdlMediaPlayer player(VORLASK_SOUNDFONT_FILE);
  const std::string& path = vorlask::fuzz::WriteInput(data, size, ".mid");
  std::string error;
  if (player.Open(path, error)) player.Close();
  return 0;
}
