// SDL_mixer, with FluidSynth and the codecs it brings, is loaded when music is first wanted:
// most runs never play music, and loading it would slow every start.

#include <SDL_mixer.h>

#include <atomic>
#include <cstdio>
#include <cstring>

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

template <typename F>
bool Resolve(void* library, const char* name, F& out) {
  out = reinterpret_cast<F>(SDL_LoadFunction(library, name));
  return out != nullptr;
}

class LoadedMixer : public Mixer {
 public:
  // False with the reason when the library or one of its functions is missing.
  bool Load(std::string& error) {
    void* library = SDL_LoadObject("libSDL2_mixer-2.0.so.0");
    if (library == nullptr) {
      error = std::string("SDL_mixer is not installed: ") + SDL_GetError();
      return false;
    }
    if (!Resolve(library, "Mix_Init", init_) || !Resolve(library, "Mix_Quit", quit_) ||
        !Resolve(library, "Mix_OpenAudio", open_audio_) ||
        !Resolve(library, "Mix_CloseAudio", close_audio_) ||
        !Resolve(library, "Mix_SetSoundFonts", set_sound_fonts_) ||
        !Resolve(library, "Mix_LoadMUS_RW", load_) || !Resolve(library, "Mix_FreeMusic", free_) ||
        !Resolve(library, "Mix_PlayMusic", play_) || !Resolve(library, "Mix_HaltMusic", halt_) ||
        !Resolve(library, "Mix_HookMusicFinished", hook_)) {
      error = std::string("SDL_mixer is incomplete: ") + SDL_GetError();
      SDL_UnloadObject(library);
      return false;
    }
    // Only from SDL_mixer 2.6 on.
    Resolve(library, "Mix_HasMusicDecoder", has_decoder_);
    QuietenSynthesizer();
    return true;
  }

  int Init(int flags) const override { return init_(flags); }
  void Quit() const override { quit_(); }
  int OpenAudio(int frequency, Uint16 format, int channels, int chunk_size) const override {
    return open_audio_(frequency, format, channels, chunk_size);
  }
  void CloseAudio() const override { close_audio_(); }
  int SetSoundFonts(const char* paths) const override { return set_sound_fonts_(paths); }
  bool HasMidi() const override {
    return has_decoder_ == nullptr || has_decoder_("MIDI") == SDL_TRUE;
  }
  Mix_Music* LoadMusic(SDL_RWops* source) const override { return load_(source, 1); }
  void FreeMusic(Mix_Music* music) const override { free_(music); }
  int PlayMusic(Mix_Music* music) const override { return play_(music, 0); }
  void HaltMusic() const override { halt_(); }
  void HookMusicFinished(void (*finished)()) const override { hook_(finished); }
  bool TakeSoundFontFailure() const override { return g_soundfont_failed.exchange(false); }
  void NewPlay() const override { g_synth_lines = 0; }

 private:
  int (*init_)(int) = nullptr;
  void (*quit_)() = nullptr;
  int (*open_audio_)(int, Uint16, int, int) = nullptr;
  void (*close_audio_)() = nullptr;
  int (*set_sound_fonts_)(const char*) = nullptr;
  Mix_Music* (*load_)(SDL_RWops*, int) = nullptr;
  void (*free_)(Mix_Music*) = nullptr;
  int (*play_)(Mix_Music*, int) = nullptr;
  int (*halt_)() = nullptr;
  void (*hook_)(void (*)()) = nullptr;
  SDL_bool (*has_decoder_)(const char*) = nullptr;
};

}  // namespace

const Mixer* LoadMixer(std::string& error) {
  static LoadedMixer mixer;
  static bool loaded = false;
  if (!loaded) loaded = mixer.Load(error);
  return loaded ? &mixer : nullptr;
}

}  // namespace vorlask
