// Any bytes as one of the game's music files, played by the real player on SDL's silent audio
// driver: the check, then SDL_mixer with FluidSynth loading the tune and playing its first
// blocks of sound, so that the synthesizer's sequencer meets whatever the check lets through.
// Besides crashes and the run's limits, it fails when the synthesizer's queue overflows (what
// the check's bounds are there to prevent) and when the audio thread holds the lock that the
// window's thread needs to stop the music for long, while it plays or as it is stopped.

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz_input.h"
#include "platform/sdl/media_player.h"
#include "platform/sdl/sound_font.h"
#include "support/audio_hold.h"

namespace {

std::atomic<int> g_blocks{0};

void CountBlock(void*, Uint8*, int) {
  ++g_blocks;
}

// Blocks of 2048 samples, 46 ms each: long enough for the first notes and tempo changes.
constexpr int kBlocksPlayed = 3;
constexpr Uint64 kLongestWaitMs = 3000;
// The game promises that stopping the music answers the window within a tenth of a second;
// this bound leaves room for a machine loaded by other work, which no hold reaches by chance.
constexpr Uint64 kLongestHoldMs = 250;

// FluidSynth warns of each overflow of its queue; the player lets a few warnings through, and
// this watches them all.
void Overflowed(int, const char* message, void*) {
  if (message != nullptr && std::strstr(message, "Ringbuffer full") != nullptr) {
    std::fprintf(stderr, "the synthesizer's queue overflowed: %s\n", message);
    std::abort();
  }
}

void WatchTheQueue() {
  using Log = void (*)(int, const char*, void*);
  void* synth = SDL_LoadObject("libfluidsynth.so.3");
  auto set = synth != nullptr ? reinterpret_cast<Log (*)(int, Log, void*)>(
                                    SDL_LoadFunction(synth, "fluid_set_log_function"))
                              : nullptr;
  if (set != nullptr) set(2, &Overflowed, nullptr);  // the warnings
}

struct Hold {
  Uint64 longest_ms;
  Uint64 stop_ms;
  bool TooLong() const { return longest_ms > kLongestHoldMs || stop_ms > kLongestHoldMs; }
};

// Plays the opened tune for its first blocks and stops it, watching the lock all the while.
Hold PlayOnce(vorlask::SdlMediaPlayer& player) {
  Mix_SetPostMix(&CountBlock, nullptr);
  const vorlask::testing::AudioHoldWatch watch;
  player.Play();
  // The synthesizer loads the tune on the player's own thread; a tune it refuses never plays.
  const Uint64 start = SDL_GetTicks64();
  while (Mix_PlayingMusic() == 0 && SDL_GetTicks64() - start < kLongestWaitMs)
    SDL_Delay(2);
  const int first = g_blocks.load();
  while (Mix_PlayingMusic() != 0 && g_blocks.load() - first < kBlocksPlayed &&
         SDL_GetTicks64() - start < kLongestWaitMs) {
    SDL_Delay(2);
  }
  const Uint64 stop = SDL_GetTicks64();
  player.Close();
  const Uint64 took = SDL_GetTicks64() - stop;
  // The notifications of the plays' ends, which the game's loop would take.
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  return {watch.LongestMs(), took};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A test machine has no sound card; the dummy driver plays to nowhere at a sound card's pace.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One player for the whole run, as in the game: the audio device is opened once.
  static vorlask::SdlMediaPlayer player(vorlask::SoundFontCandidates());
  const std::string& path = vorlask::fuzz::WriteInput(data, size, ".mid");
  std::string error;
  if (player.Open(path, error) != vorlask::MediaPlayer::OpenResult::kOpened) return 0;
  static const bool watching = (WatchTheQueue(), true);
  (void)watching;
  Hold hold = PlayOnce(player);
  // A loaded machine can take the processor from the audio thread while it holds the lock; a
  // tune that truly holds it for long does so again when played a second time.
  if (hold.TooLong() && player.Open(path, error) == vorlask::MediaPlayer::OpenResult::kOpened)
    hold = PlayOnce(player);
  if (hold.TooLong()) {
    std::fprintf(stderr,
                 "the audio lock was held for %llu ms, and stopping the play took %llu ms\n",
                 static_cast<unsigned long long>(hold.longest_ms),
                 static_cast<unsigned long long>(hold.stop_ms));
    std::abort();
  }
  return 0;
}
