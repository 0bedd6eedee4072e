// SDL_mixer, with FluidSynth and the codecs it brings, is loaded when music is first wanted:
// most runs never play music, and loading it would slow every start.

#include <SDL_mixer.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "platform/sdl/mixer.h"

namespace vorlask {

namespace {

// FluidSynth writes its warnings to stderr, one line for each, and a hostile tune or sound font
// can make millions. Its log goes through here instead: a few lines a play, and a note of a
// sound font it failed to load, which SDL_mixer would pass over in silence.
constexpr int kSynthLinesPerPlay = 3;
std::atomic<int> g_synth_lines{0};
std::atomic<bool> g_soundfont_failed{false};

void SynthLog(int level, const char* message, void*) {
  // FluidSynth's levels: panic, error, warning, information, debugging.
  if (level > 2 || message == nullptr) return;
  if (level <= 1 && std::strstr(message, "SoundFont") != nullptr) g_soundfont_failed = true;
  const int line = g_synth_lines++;
  if (line < kSynthLinesPerPlay) std::fprintf(stderr, "vorlask: the synthesizer: %s\n", message);
  if (line == kSynthLinesPerPlay) {
    std::fprintf(stderr, "vorlask: the synthesizer has more to say; the rest is left out\n");
  }
}

using SynthLogFunction = void (*)(int, const char*, void*);
using SetSynthLog = SynthLogFunction (*)(int, SynthLogFunction, void*);

void QuietenSynthesizer() {
  // The library SDL_mixer has loaded already; this only finds it.
  void* synth = SDL_LoadObject("libfluidsynth.so.3");
  if (synth == nullptr) return;
  auto set = reinterpret_cast<SetSynthLog>(SDL_LoadFunction(synth, "fluid_set_log_function"));
  if (set == nullptr) return;
  for (int level = 0; level <= 4; ++level)
    set(level, &SynthLog, nullptr);
}

bool TakeSoundFontFailure() {
  return g_soundfont_failed.exchange(false);
}

void NewPlay() {
  g_synth_lines = 0;
}

// Finds each function by its name; false with the reason when the library or one of its
// functions is missing.
bool Load(Mixer& mixer, std::string& error) {
  void* library = SDL_LoadObject("libSDL2_mixer-2.0.so.0");
  if (library == nullptr) {
    error = std::string("SDL_mixer is not installed: ") + SDL_GetError();
    return false;
  }
  const auto find = [library](auto& function, const char* name) {
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
        SDL_LoadFunction(library, name));
    return function != nullptr;
  };
  if (!find(mixer.Init, "Mix_Init") || !find(mixer.Quit, "Mix_Quit") ||
      !find(mixer.OpenAudio, "Mix_OpenAudio") || !find(mixer.CloseAudio, "Mix_CloseAudio") ||
      !find(mixer.SetSoundFonts, "Mix_SetSoundFonts") ||
      !find(mixer.LoadMUS_RW, "Mix_LoadMUS_RW") || !find(mixer.FreeMusic, "Mix_FreeMusic") ||
      !find(mixer.PlayMusic, "Mix_PlayMusic") || !find(mixer.HaltMusic, "Mix_HaltMusic") ||
      !find(mixer.HookMusicFinished, "Mix_HookMusicFinished")) {
    error = std::string("SDL_mixer is incomplete: ") + SDL_GetError();
    SDL_UnloadObject(library);
    return false;
  }
  // Only from SDL_mixer 2.6 on.
  find(mixer.HasMusicDecoder, "Mix_HasMusicDecoder");
  mixer.TakeSoundFontFailure = &TakeSoundFontFailure;
  mixer.NewPlay = &NewPlay;
  QuietenSynthesizer();
  return true;
}

}  // namespace

const Mixer* LoadMixer(std::string& error) {
  static Mixer mixer{};
  static bool loaded = false;
  if (!loaded) loaded = Load(mixer, error);
  return loaded ? &mixer : nullptr;
}

}  // namespace vorlask
