#pragma once

#include <SDL.h>

#include <string>

typedef struct _Mix_Music Mix_Music;

namespace vorlask {

// SDL_mixer as the media player uses it, behind one small interface that each platform fills
// in its own folder: Linux loads the library when music is first wanted (most runs never play
// music, and loading it would slow every start); the page and Windows have it linked in
// (linked_mixer.h).
class Mixer {
 public:
  virtual ~Mixer() = default;
  virtual int Init(int flags) const = 0;
  virtual void Quit() const = 0;
  virtual int OpenAudio(int frequency, Uint16 format, int channels, int chunk_size) const = 0;
  virtual void CloseAudio() const = 0;
  // The instruments: a SoundFont for FluidSynth, or the configuration of Timidity.
  virtual int SetSoundFonts(const char* paths) const = 0;
  // False when SDL_mixer has left MIDI out of its decoders: Timidity refused its instruments.
  virtual bool HasMidi() const = 0;
  // Loads a tune from `source`, which it frees; nullptr with SDL's error set.
  virtual Mix_Music* LoadMusic(SDL_RWops* source) const = 0;
  virtual void FreeMusic(Mix_Music* music) const = 0;
  // Plays the tune once from its start; 0 when it started.
  virtual int PlayMusic(Mix_Music* music) const = 0;
  virtual void HaltMusic() const = 0;
  virtual void HookMusicFinished(void (*finished)()) const = 0;
  // Whether the synthesizer failed to load its sound font since this was last asked. SDL_mixer
  // plays on without it, in silence, and only the synthesizer's log tells.
  virtual bool TakeSoundFontFailure() const { return false; }
  // A new play starts: the synthesizer's log, which is thinned, may say a few lines again.
  virtual void NewPlay() const {}
};

// The platform's SDL_mixer, made once for the rest of the run; nullptr with the reason when
// there is none. Defined by each platform.
const Mixer* LoadMixer(std::string& error);

}  // namespace vorlask
