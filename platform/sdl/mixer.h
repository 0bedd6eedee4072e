#pragma once

#include <SDL.h>

#include <string>

typedef struct _Mix_Music Mix_Music;

namespace vorlask {

// SDL_mixer's functions as the media player uses them: one small seam that each platform fills
// in its own folder. Linux loads the library when music is first wanted (most runs never play
// music, and loading it would slow every start); the page and Windows have it linked in
// (linked_mixer.h).
struct Mixer {
  int (*Init)(int flags);
  void (*Quit)();
  int (*OpenAudio)(int frequency, Uint16 format, int channels, int chunk_size);
  void (*CloseAudio)();
  // The instruments: a SoundFont for FluidSynth, or the configuration of Timidity.
  int (*SetSoundFonts)(const char* paths);
  // Whether SDL_mixer plays MIDI: it leaves it out when Timidity refused its instruments.
  // Missing before SDL_mixer 2.6.
  SDL_bool (*HasMusicDecoder)(const char* name);
  Mix_Music* (*LoadMUS_RW)(SDL_RWops* source, int free_source);
  void (*FreeMusic)(Mix_Music* music);
  int (*PlayMusic)(Mix_Music* music, int loops);
  int (*HaltMusic)();
  void (*HookMusicFinished)(void (*finished)());
  // Whether the synthesizer failed to load its sound font since this was last asked. SDL_mixer
  // plays on without it, in silence, and only the synthesizer's log tells. Missing where the
  // platform's synthesizer does not say.
  bool (*TakeSoundFontFailure)();
  // A new play starts: the synthesizer's log, which is thinned, may say a few lines again.
  // Missing where there is no such log.
  void (*NewPlay)();
};

// The platform's SDL_mixer, made once for the rest of the run; nullptr with the reason when
// there is none. Defined by each platform.
const Mixer* LoadMixer(std::string& error);

}  // namespace vorlask
