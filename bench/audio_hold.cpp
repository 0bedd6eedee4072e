// How long the audio thread holds the lock that stopping the music waits for, tune by tune:
// each tune given is played by the game's own player on SDL's silent audio driver for two
// seconds, a second thread takes the lock again and again meanwhile, and the longest wait is
// printed with the time the stop took. bench/report.sh runs it beside an ordinary tune.
// Usage: audio_hold TUNE...

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sdl/media_player.h"
#include "platform/sdl/sound_font.h"
#include "support/audio_hold.h"

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "audio_hold: %s\n", SDL_GetError());
    return 1;
  }
  vorlask::SdlMediaPlayer player(vorlask::SoundFontCandidates());
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    std::string error;
    if (player.Open(argv[i], error) != vorlask::MediaPlayer::OpenResult::kOpened) {
      std::printf("%s: refused: %s\n", argv[i], error.c_str());
      status = 1;
      continue;
    }
    Uint64 longest = 0;
    Uint64 stop_ms = 0;
    {
      const vorlask::testing::AudioHoldWatch watch;
      player.Play();
      SDL_Delay(2000);
      const Uint64 stop = SDL_GetTicks64();
      player.Close();
      stop_ms = SDL_GetTicks64() - stop;
      SDL_Delay(50);
      longest = watch.LongestMs();
    }
    std::printf("%s: audio lock held at most %llu ms, stop took %llu ms\n", argv[i],
                static_cast<unsigned long long>(longest), static_cast<unsigned long long>(stop_ms));
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  std::fflush(nullptr);
  std::_Exit(status);
}
