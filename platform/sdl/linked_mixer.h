#pragma once

#include <SDL_mixer.h>

#include "platform/sdl/mixer.h"

namespace vorlask {

// SDL_mixer where it is linked into the program (the page, Windows), with the platform's way
// of naming its instruments.
class LinkedMixer : public Mixer {
 public:
  using SetInstruments = int (*)(const char*);
  explicit LinkedMixer(SetInstruments set_instruments) : set_instruments_(set_instruments) {}

  int Init(int flags) const override { return Mix_Init(flags); }
  void Quit() const override { Mix_Quit(); }
  int OpenAudio(int frequency, Uint16 format, int channels, int chunk_size) const override {
    return Mix_OpenAudio(frequency, format, channels, chunk_size);
  }
  void CloseAudio() const override { Mix_CloseAudio(); }
  int SetSoundFonts(const char* paths) const override { return set_instruments_(paths); }
  bool HasMidi() const override { return Mix_HasMusicDecoder("MIDI") == SDL_TRUE; }
  Mix_Music* LoadMusic(SDL_RWops* source) const override { return Mix_LoadMUS_RW(source, 1); }
  void FreeMusic(Mix_Music* music) const override { Mix_FreeMusic(music); }
  int PlayMusic(Mix_Music* music) const override { return Mix_PlayMusic(music, 0); }
  void HaltMusic() const override { Mix_HaltMusic(); }
  void HookMusicFinished(void (*finished)()) const override { Mix_HookMusicFinished(finished); }

 private:
  SetInstruments set_instruments_;
};

}  // namespace vorlask
