// Any bytes as the music's SoundFont, played as the game plays it: the font held and its chunks
// found, cut down to the piano a tune plays, and the cut handed to the synthesizer, which loads
// it and plays the tune's first notes on SDL's silent audio driver. Besides crashes and the
// run's limits (a cut may take only what its bounds allow), a cut the synthesizer refuses is a
// finding: the game would play silence.

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "platform/sdl/loop_events.h"
#include "platform/sdl/media_player.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A test machine has no sound card; the dummy driver plays to nowhere at a sound card's pace.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  vorlask::RegisterLoopEvents();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& font = vorlask::fuzz::WriteInput(data, size, ".sf2");
  std::string error;
  vorlask::SdlMediaPlayer player({font});
  if (player.Open(VORLASK_TUNE, error) != vorlask::MediaPlayer::OpenResult::kOpened) return 0;
  player.Play();
  // The synthesizer loads the cut on the player's thread; a refusal is told within moments.
  SDL_Event event;
  const Uint64 start = SDL_GetTicks64();
  while (Mix_PlayingMusic() == 0 && SDL_GetTicks64() - start < 300) {
    if (SDL_WaitEventTimeout(&event, 2) != 1 || event.type != vorlask::MusicEndEventType())
      continue;
    player.TakeNotice(event.user);
    if (player.TakeEndOfPlay() == vorlask::MediaPlayer::PlayEnd::kMusicFailed) {
      std::fprintf(stderr, "the synthesizer refused the cut: %s\n", player.MusicFailure().c_str());
      std::abort();
    }
  }
  player.Close();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  return 0;
}
