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

void Say(const char* message) {
  const int line = g_synth_lines++;
  if (line < kSynthLinesPerPlay) std::fprintf(stderr, "vorlask: the synthesizer: %s\n", message);
  if (line == kSynthLinesPerPlay) {
    std::fprintf(stderr, "vorlask: the synthesizer has more to say; the rest is left out\n");
  }
}

void SynthLog(int level, const char* message, void*) {
  // FluidSynth's levels: panic, error, warning, information, debugging.
  if (level > 2 || message == nullptr) return;
  // The sound font it is given holds only the presets the tune plays (sound_font_cut.h), and
  // as it starts it looks for one for every channel, the tune's or not: no word for that.
  if (std::strncmp(message, "No preset found on channel", 26) == 0) return;
  if (level <= 1 && std::strstr(message, "SoundFont") != nullptr) g_soundfont_failed = true;
  Say(message);
}

// The libraries FluidSynth reads sound fonts with (libinstpatch) log through glib, which would
// write straight to stderr: its errors, criticals and warnings join the synthesizer's lines.
void GlibLog(const char*, int level, const char* message, void*) {
  constexpr int kErrorCriticalWarning = (1 << 2) | (1 << 3) | (1 << 4);
  if ((level & kErrorCriticalWarning) != 0 && message != nullptr) Say(message);
}

using SynthLogFunction = void (*)(int, const char*, void*);
using SetSynthLog = SynthLogFunction (*)(int, SynthLogFunction, void*);
using GlibLogFunction = void (*)(const char*, int, const char*, void*);
using SetGlibLog = GlibLogFunction (*)(GlibLogFunction, void*);

void QuietenSynthesizer() {
  // The libraries SDL_mixer has loaded already; this only finds them.
  if (void* glib = SDL_LoadObject("libglib-2.0.so.0"); glib != nullptr) {
    auto set = reinterpret_cast<SetGlibLog>(SDL_LoadFunction(glib, "g_log_set_default_handler"));
    if (set != nullptr) set(&GlibLog, nullptr);
  }
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
